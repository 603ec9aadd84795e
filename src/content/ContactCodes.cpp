// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContactCodes.h"

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

// "KEY:value;KEY:value;;" split at the ";" that no backslash escapes.
QList<Entry> entries(QStringView body)
{
    QList<Entry> result;
    QString key;
    QString value;
    bool inValue = false;
    const auto finish = [&] {
        if (inValue && !key.trimmed().isEmpty())
            result.append({ key.trimmed().toUpper(), value.trimmed() });
        key.clear();
        value.clear();
        inValue = false;
    };
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (body[i] == u'\\' && i + 1 < body.size())
            (inValue ? value : key) += body[++i];
        else if (body[i] == u';')
            finish();
        else if (body[i] == u':' && !inValue)
            inValue = true;
        else
            (inValue ? value : key) += body[i];
    }
    finish();
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

std::optional<QString> fromMeCard(QStringView body)
{
    const QList<Entry> all = entries(body);
    Card card;
    const QString name = firstOf(all, u"N");
    const qsizetype comma = name.indexOf(u',');
    card.family = (comma < 0 ? name : name.first(comma)).trimmed();
    card.given = comma < 0 ? QString() : name.sliced(comma + 1).trimmed();
    for (const Entry &entry : all) {
        if (entry.key == u"TEL" || entry.key == u"TEL-AV")
            card.add(u"TEL"_s, entry.value);
        else if (entry.key == u"EMAIL")
            card.add(u"EMAIL"_s, entry.value);
        else if (entry.key == u"URL")
            card.add(u"URL"_s, entry.value);
        else if (entry.key == u"NOTE" || entry.key == u"MEMO")
            card.add(u"NOTE"_s, entry.value);
        else if (entry.key == u"BDAY")
            card.add(u"BDAY"_s, entry.value);
        else if (entry.key == u"ORG")
            card.add(u"ORG"_s, entry.value);
        else if (entry.key == u"TITLE")
            card.add(u"TITLE"_s, entry.value);
        else if (entry.key == u"NICKNAME")
            card.add(u"NICKNAME"_s, entry.value);
        else if (entry.key == u"ADR" && !entry.value.isEmpty()) {
            // Seven comma-separated pieces are post office box, extended address, street,
            // locality, region, postal code and country; anything else is the address as written.
            const QStringList parts = entry.value.split(u',');
            QStringList fields { QString(), QString(), escaped(entry.value), QString(), QString(), QString(),
                QString() };
            if (parts.size() == 7) {
                for (qsizetype i = 0; i < 7; ++i)
                    fields[i] = escaped(parts[i].trimmed());
            }
            card.lines.append(u"ADR:"_s + fields.join(u';'));
        }
    }
    return card.vCard();
}

std::optional<QString> fromBizCard(QStringView body)
{
    const QList<Entry> all = entries(body);
    Card card;
    card.given = firstOf(all, u"N");
    card.family = firstOf(all, u"X");
    card.add(u"ORG"_s, firstOf(all, u"C"));
    card.add(u"TITLE"_s, firstOf(all, u"T"));
    for (const Entry &entry : all) {
        if (entry.key == u"B")
            card.add(u"TEL;TYPE=WORK"_s, entry.value);
        else if (entry.key == u"M")
            card.add(u"TEL;TYPE=CELL"_s, entry.value);
        else if (entry.key == u"F")
            card.add(u"TEL;TYPE=FAX"_s, entry.value);
        else if (entry.key == u"E")
            card.add(u"EMAIL"_s, entry.value);
    }
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
