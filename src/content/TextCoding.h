// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QList>
#include <QString>

// Small text helpers the recognisers share.
namespace kavri::TextCoding {

// The value of a hexadecimal digit, or -1.
int hexValue(QChar c);

// Percent-decodes text as UTF-8. None when an escape is malformed ("%", "%4", "%zz") or the
// decoded bytes are not UTF-8.
std::optional<QString> percentDecoded(QStringView text);

// First letter of each word upper case, the rest lower case; words are runs of letters.
QString capitalized(QStringView text);

// The value of the first "name=value" pair in an "&"-separated query whose name equals \a name
// without regard to case. Percent-decoded; kept undecoded when decoding fails.
std::optional<QString> queryValue(QStringView query, QStringView name);

// Whether \a text, upper-cased (or lower-cased), begins with \a marker. Unicode case mapping,
// so "ı" counts as "I" and "ſ" as "S" where the whole text would be mapped the same way.
bool hasUpperCasedPrefix(QStringView text, QStringView marker);
bool hasLowerCasedPrefix(QStringView text, QStringView marker);

// Whether \a text holds only characters a URI may hold (RFC 3986), with well-formed escapes.
bool isUriText(QStringView text);

// Splits \a text at the \a separator that no backslash escapes; escapes stay in the pieces. A
// final empty piece (after the last separator) is dropped.
QList<QStringView> splitAtUnescaped(QStringView text, QChar separator);

// Not empty, at least one digit, and only the characters "0123456789+- ()".
bool isPhoneNumber(QStringView text);

} // namespace kavri::TextCoding
