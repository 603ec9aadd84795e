// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParsedContent.h"

#include <QHash>
#include <QStringList>

#include "ContentSymbols.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

const QHash<QString, QString> &emojiTable()
{
    static const QHash<QString, QString> table {
        { Symbol::person.toString(), u"\U0001F464"_s },
        { Symbol::building.toString(), u"\U0001F3E2"_s },
        { Symbol::briefcase.toString(), u"\U0001F4BC"_s },
        { Symbol::phone.toString(), u"\U0001F4DE"_s },
        { Symbol::envelope.toString(), u"\u2709\uFE0F"_s },
        { Symbol::location.toString(), u"\U0001F4CD"_s },
        { Symbol::link.toString(), u"\U0001F517"_s },
        { Symbol::gift.toString(), u"\U0001F381"_s },
        { Symbol::note.toString(), u"\U0001F4DD"_s },
        { Symbol::wifi.toString(), u"\U0001F4F6"_s },
        { Symbol::lockClosed.toString(), u"\U0001F512"_s },
        { Symbol::lockOpen.toString(), u"\U0001F513"_s },
        { Symbol::key.toString(), u"\U0001F511"_s },
        { Symbol::textBubble.toString(), u"\U0001F4AC"_s },
        { Symbol::at.toString(), u"\U0001F4E7"_s },
        { Symbol::subject.toString(), u"\U0001F4CB"_s },
        { Symbol::quote.toString(), u"\U0001F4C4"_s },
    };
    return table;
}

} // namespace

QString emojiForSymbol(const QString &symbol)
{
    return emojiTable().value(symbol, u"\u2022"_s);
}

QStringView ParsedContent::typeName() const
{
    return std::visit([](const auto &c) { return std::decay_t<decltype(c)>::typeName; }, m_kind);
}

const QString &ParsedContent::rawText() const
{
    return std::visit([](const auto &c) -> const QString & { return c.rawText(); }, m_kind);
}

QString ParsedContent::formattedText() const
{
    const QList<ContentField> list = fields();
    if (list.isEmpty())
        return rawText();
    QStringList lines;
    lines.reserve(list.size());
    for (const ContentField &field : list)
        lines.append(emojiForSymbol(field.symbol) + u' ' + field.value);
    return lines.join(u'\n');
}

QList<ContentField> ParsedContent::fields() const
{
    return std::visit([](const auto &c) -> QList<ContentField> { return c.fields(); }, m_kind);
}

std::optional<ContentAction> ParsedContent::primaryAction() const
{
    return std::visit([](const auto &c) { return c.primaryAction(); }, m_kind);
}

std::optional<QString> ParsedContent::clipboardText() const
{
    return std::visit([](const auto &c) { return c.clipboardText(); }, m_kind);
}

QString ParsedContent::clipboardMessage() const
{
    return std::visit([](const auto &c) { return c.clipboardMessage(); }, m_kind);
}

bool ParsedContent::isStructured() const
{
    return std::visit([](const auto &c) { return c.isStructured(); }, m_kind);
}

} // namespace kavri
