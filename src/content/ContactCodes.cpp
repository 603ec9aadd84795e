// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContactCodes.h"

#include <algorithm>
#include <array>

#include <QStringList>

#include "TextCoding.h"

using namespace Qt::StringLiterals;

namespace kavri::ContactCodes {

namespace {

struct Entry
{
    QString key; // upper case
    QString value; // escapes undone
};

// \a text with each backslash escape taken as the character it escapes.
QString unescaped(QStringView text)
{
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i)
        plain += (text[i] == u'\\' && i + 1 < text.size()) ? text[++i] : text[i];
    return plain;
}

// "KEY:value;KEY:value;;" split at the ";" and ":" that no backslash escapes.
QList<Entry> entries(QStringView body)
{
    QList<Entry> result;
    for (const QStringView piece : TextCoding::splitAtUnescaped(body, u';')) {
        const QStringView key = TextCoding::splitAtUnescaped(piece, u':').value(0);
        const QString name = unescaped(key).trimmed().toUpper();
        if (key.size() < piece.size() && !name.isEmpty())
            result.append({ name, unescaped(piece.sliced(key.size() + 1)).trimmed() });
    }
    return result;
}

QString firstOf(const QList<Entry> &all, QStringView key)
{
    for (const Entry &entry : all) {
        if (entry.key == key && !entry.value.isEmpty())
            return entry.value;
    }
    return {};
}

// A value escaped for a vCard 3.0 line.
QString escaped(const QString &value)
{
    QString text = value;
    text.replace(u"\\"_s, u"\\\\"_s).replace(u","_s, u"\\,"_s).replace(u";"_s, u"\\;"_s);
    text.replace(u"\r\n"_s, u"\\n"_s).replace(u'\n', u"\\n"_s).replace(u'\r', u"\\n"_s);
    return text;
}

struct Card
{
    QString family;
    QString given;
    QStringList lines; // "TEL;TYPE=CELL:..." and the like, escaped

    void add(const QString &property, const QString &value)
    {
        if (!value.isEmpty())
            lines.append(property + u':' + escaped(value));
    }

    std::optional<QString> vCard() const
    {
        const QString full = QString(given + u' ' + family).trimmed();
        if (full.isEmpty() && lines.isEmpty())
            return std::nullopt;
        QStringList all { u"BEGIN:VCARD"_s, u"VERSION:3.0"_s };
        if (!full.isEmpty()) {
            all.append(u"N:"_s + escaped(family) + u';' + escaped(given) + u";;;"_s);
            all.append(u"FN:"_s + escaped(full));
        }
        all += lines;
        all.append(u"END:VCARD"_s);
        return all.join(u"\r\n"_s) + u"\r\n"_s;
    }
};

// Which vCard property each key of a code fills, in the order the code gives them.
struct Mapping
{
    QStringView key;
    QStringView property;
};

constexpr std::array<Mapping, 10> meCardProperties { { { u"TEL", u"TEL" }, { u"TEL-AV", u"TEL" },
    { u"EMAIL", u"EMAIL" }, { u"URL", u"URL" }, { u"NOTE", u"NOTE" }, { u"MEMO", u"NOTE" }, { u"BDAY", u"BDAY" },
    { u"ORG", u"ORG" }, { u"TITLE", u"TITLE" }, { u"NICKNAME", u"NICKNAME" } } };

constexpr std::array<Mapping, 6> bizCardProperties { { { u"C", u"ORG" }, { u"T", u"TITLE" }, { u"B", u"TEL;TYPE=WORK" },
    { u"M", u"TEL;TYPE=CELL" }, { u"F", u"TEL;TYPE=FAX" }, { u"E", u"EMAIL" } } };

template <size_t size> void addMapped(Card &card, const QList<Entry> &all, const std::array<Mapping, size> &mappings)
{
    for (const Entry &entry : all) {
        const auto found = std::find_if(
            mappings.begin(), mappings.end(), [&entry](const Mapping &mapping) { return entry.key == mapping.key; });
        if (found != mappings.end())
            card.add(found->property.toString(), entry.value);
    }
}

// Seven comma-separated pieces are post office box, extended address, street, locality, region,
// postal code and country; anything else is the address as written, taken as the street.
QString addressLine(const QString &address)
{
    const QStringList parts = address.split(u',');
    QStringList fields { QString(), QString(), escaped(address), QString(), QString(), QString(), QString() };
    if (parts.size() == 7) {
        for (qsizetype i = 0; i < 7; ++i)
            fields[i] = escaped(parts[i].trimmed());
    }
    return u"ADR:"_s + fields.join(u';');
}

std::optional<QString> fromMeCard(QStringView body)
{
    const QList<Entry> all = entries(body);
    Card card;
    const QString name = firstOf(all, u"N");
    const qsizetype comma = name.indexOf(u',');
    card.family = (comma < 0 ? name : name.first(comma)).trimmed();
    card.given = comma < 0 ? QString() : name.sliced(comma + 1).trimmed();
    addMapped(card, all, meCardProperties);
    for (const Entry &entry : all) {
        if (entry.key == u"ADR" && !entry.value.isEmpty())
            card.lines.append(addressLine(entry.value));
    }
    return card.vCard();
}

std::optional<QString> fromBizCard(QStringView body)
{
    const QList<Entry> all = entries(body);
    Card card;
    card.given = firstOf(all, u"N");
    card.family = firstOf(all, u"X");
    addMapped(card, all, bizCardProperties);
    if (const QString address = firstOf(all, u"A"); !address.isEmpty())
        card.lines.append(u"ADR:;;"_s + escaped(address) + u";;;;"_s);
    return card.vCard();
}

} // namespace

std::optional<QString> asVCard(const QString &text)
{
    if (TextCoding::hasUpperCasedPrefix(text, u"MECARD:"))
        return fromMeCard(QStringView(text).sliced(7));
    if (TextCoding::hasUpperCasedPrefix(text, u"BIZCARD:"))
        return fromBizCard(QStringView(text).sliced(8));
    return std::nullopt;
}

} // namespace kavri::ContactCodes
