// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <variant>

#include <QHashFunctions>
#include <QList>
#include <QString>

namespace kavri {

// Identifiers of the actions a payload can offer; the action handler switches on them.
namespace ActionId {
inline constexpr QStringView addContact = u"addContact";
inline constexpr QStringView saveContact = u"saveContact";
inline constexpr QStringView sendSMS = u"sendSMS";
inline constexpr QStringView sendEmail = u"sendEmail";
inline constexpr QStringView call = u"call";
inline constexpr QStringView copyNumber = u"copyNumber";
inline constexpr QStringView openAll = u"openAll";
} // namespace ActionId

struct ActionMenuItem
{
    QString id;
    QString title;

    friend bool operator==(const ActionMenuItem &, const ActionMenuItem &) = default;
};

inline size_t qHash(const ActionMenuItem &item, size_t seed = 0) noexcept
{
    return qHashMulti(seed, item.id, item.title);
}

// The action a payload offers: one direct button, or a menu of choices.
class ContentAction
{
public:
    struct Button
    {
        QString title;
        QString symbol;
        QString action;
        friend bool operator==(const Button &, const Button &) = default;
    };
    struct Menu
    {
        QString title;
        QString symbol;
        QList<ActionMenuItem> items;
        friend bool operator==(const Menu &, const Menu &) = default;
    };

    static ContentAction button(QString title, QString symbol, QString action)
    {
        return ContentAction(Button { std::move(title), std::move(symbol), std::move(action) });
    }
    static ContentAction menu(QString title, QString symbol, QList<ActionMenuItem> items)
    {
        return ContentAction(Menu { std::move(title), std::move(symbol), std::move(items) });
    }

    const Button *asButton() const { return std::get_if<Button>(&m_value); }
    const Menu *asMenu() const { return std::get_if<Menu>(&m_value); }
    const QString &title() const
    {
        return std::visit([](const auto &v) -> const QString & { return v.title; }, m_value);
    }
    const QString &symbol() const
    {
        return std::visit([](const auto &v) -> const QString & { return v.symbol; }, m_value);
    }

    friend bool operator==(const ContentAction &, const ContentAction &) = default;

private:
    explicit ContentAction(std::variant<Button, Menu> value)
        : m_value(std::move(value))
    { }

    std::variant<Button, Menu> m_value;
};

} // namespace kavri
