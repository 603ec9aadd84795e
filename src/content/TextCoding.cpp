// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextCoding.h"

#include <QStringDecoder>

namespace kavri::TextCoding {

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

std::optional<QString> percentDecoded(QStringView text)
{
    if (!text.contains(u'%'))
        return text.toString();

    // Escapes stand for UTF-8 bytes; everything else is carried over as its own UTF-8.
    QByteArray bytes;
    bytes.reserve(text.size());
    qsizetype plainStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'%')
            continue;
        if (i + 2 >= text.size())
            return std::nullopt;
        const int high = hexValue(text[i + 1]);
        const int low = hexValue(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes += text.sliced(plainStart, i - plainStart).toUtf8();
        bytes += char(high * 16 + low);
        i += 2;
        plainStart = i + 1;
    }
    bytes += text.sliced(plainStart).toUtf8();

    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return decoded;
}

QString capitalized(QStringView text)
{
    QString result;
    result.reserve(text.size());
    bool atWordStart = true;
    for (const QChar c : text) {
        const bool inWord = c.isLetter();
        result += (inWord && atWordStart) ? c.toUpper() : c.toLower();
        atWordStart = !inWord;
    }
    return result;
}

std::optional<QString> queryValue(QStringView query, QStringView name)
{
    for (const QStringView pair : query.tokenize(u'&')) {
        const qsizetype equals = pair.indexOf(u'=');
        if (equals < 0)
            continue;
        if (pair.first(equals).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const QStringView value = pair.sliced(equals + 1);
        return percentDecoded(value).value_or(value.toString());
    }
    return std::nullopt;
}

bool hasUpperCasedPrefix(QStringView text, QStringView marker)
{
    // A character maps to at least one, so the marker's length of text is all that can matter.
    return text.first(std::min(text.size(), marker.size())).toString().toUpper().startsWith(marker);
}

bool hasLowerCasedPrefix(QStringView text, QStringView marker)
{
    return text.first(std::min(text.size(), marker.size())).toString().toLower().startsWith(marker);
}

bool isUriText(QStringView text)
{
    static constexpr QStringView allowed = u"-._~:/?#[]@!$&'()*+,;=";
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'%') {
            if (i + 2 >= text.size() || hexValue(text[i + 1]) < 0 || hexValue(text[i + 2]) < 0)
                return false;
            i += 2;
        } else if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
                       || allowed.contains(QChar(c)))) {
            return false;
        }
    }
    return true;
}

QList<QStringView> splitAtUnescaped(QStringView text, QChar separator)
{
    QList<QStringView> parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\') {
            ++i;
        } else if (text[i] == separator) {
            parts.append(text.sliced(start, i - start));
            start = i + 1;
        }
    }
    if (start < text.size())
        parts.append(text.sliced(start));
    return parts;
}

bool isPhoneNumber(QStringView text)
{
    static constexpr QStringView allowed = u"0123456789+- ()";
    bool hasDigit = false;
    for (const QChar c : text) {
        if (!allowed.contains(c))
            return false;
        hasDigit = hasDigit || (c >= u'0' && c <= u'9');
    }
    return hasDigit;
}

} // namespace kavri::TextCoding
