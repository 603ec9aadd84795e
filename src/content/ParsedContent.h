// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <variant>

#include "ContentKinds.h"

namespace kavri {

// A classified payload of any kind. Consumers read it through the members below without knowing
// the kind; those that need a kind's own fields ask for it with as<T>(). A plain value: copy it
// freely and share it between threads.
class ParsedContent
{
public:
    using Kind
        = std::variant<URLContent, PlainTextContent, VCardContent, WiFiContent, SMSContent, EmailContent, PhoneContent>;

    template <typename T>
    requires std::is_constructible_v<Kind, T &&> ParsedContent(
        T &&content) // NOLINT(google-explicit-constructor): every kind is a ParsedContent
        : m_kind(std::forward<T>(content))
    { }

    // The kind's type name, e.g. "WiFiContent".
    QStringView typeName() const;
    const QString &rawText() const;
    // One line per field (emoji, space, value), or the raw text when there are no fields.
    QString formattedText() const;
    // Computed kinds make fresh field ids on every call; keep the list if identities matter.
    QList<ContentField> fields() const;
    std::optional<ContentAction> primaryAction() const;
    // What a capture puts on the clipboard; none means the whole raw text.
    std::optional<QString> clipboardText() const;
    QString clipboardMessage() const;
    // True for the kinds only a code can carry (contact, Wi-Fi, message, e-mail, phone).
    bool isStructured() const;

    template <typename T> const T *as() const { return std::get_if<T>(&m_kind); }
    const Kind &kind() const { return m_kind; }

private:
    Kind m_kind;
};

// The emoji that stands for a field symbol in text form; a bullet for unknown symbols.
QString emojiForSymbol(const QString &symbol);

} // namespace kavri
