// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "VCardReader.h"

#include <array>

#include <QStringList>

#include "ContentSymbols.h"
#include "TextCoding.h"

namespace kavri::VCardReader {

namespace {

struct PropertyRow
{
    QStringView name;
    QStringView symbol;
    bool typeLabel;
};

// The order of this table is the order of the fields.
constexpr std::array<PropertyRow, 9> propertyTable { {
    { u"FN", Symbol::person, false },
    { u"ORG", Symbol::building, false },
    { u"TITLE", Symbol::briefcase, false },
    { u"TEL", Symbol::phone, true },
    { u"EMAIL", Symbol::envelope, true },
    { u"ADR", Symbol::location, true },
    { u"URL", Symbol::link, false },
    { u"BDAY", Symbol::gift, false },
    { u"NOTE", Symbol::note, false },
} };

// VOICE and PREF say nothing a reader cares about, so they never become a label by themselves.
constexpr std::array<QStringView, 4> labelWords { u"WORK", u"HOME", u"CELL", u"FAX" };

struct PropertyLine
{
    QStringView name;
    QStringView parameters; // from the ";" after the name up to the ":", or empty
    QString value; // trimmed, never unescaped
};

bool isLineBreak(QChar c)
{
    switch (c.unicode()) {
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case 0x85:
    case 0x2028:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

// A line "NAME[;PARAMS]:VALUE" with at least one character of value.
std::optional<PropertyLine> parseLine(QStringView line)
{
    const qsizetype colon = line.indexOf(u':');
    if (colon < 0 || colon + 1 >= line.size())
        return std::nullopt;
    const qsizetype semicolon = line.first(colon).indexOf(u';');
    const qsizetype nameEnd = semicolon < 0 ? colon : semicolon;
    return PropertyLine { line.first(nameEnd), line.sliced(nameEnd, colon - nameEnd),
        line.sliced(colon + 1).trimmed().toString() };
}

QList<PropertyLine> propertyLines(const QString &text)
{
    QList<PropertyLine> result;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i <= size; ++i) {
        if (i < size && !isLineBreak(text[i]))
            continue;
        if (auto line = parseLine(QStringView(text).sliced(start, i - start)))
            result.append(std::move(*line));
        if (i + 1 < size && text[i] == u'\r' && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    return result;
}

const PropertyLine *firstLine(const QList<PropertyLine> &lines, QStringView name)
{
    for (const PropertyLine &line : lines) {
        if (line.name.compare(name, Qt::CaseInsensitive) == 0)
            return &line;
    }
    return nullptr;
}

std::optional<QString> displayName(const QList<PropertyLine> &lines)
{
    if (const PropertyLine *fn = firstLine(lines, u"FN"))
        return fn->value;
    const PropertyLine *n = firstLine(lines, u"N");
    if (!n)
        return std::nullopt;
    const QList<QStringView> parts = QStringView(n->value).split(u';');
    const QString name = QString(parts.value(1) + u' ' + parts.value(0)).trimmed();
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> typeLabel(QStringView parameters)
{
    const QString upper = parameters.toString().toUpper();
    const qsizetype type = upper.indexOf(u"TYPE=");
    if (type >= 0) {
        const QStringView rest = QStringView(upper).sliced(type + 5);
        qsizetype end = 0;
        while (end < rest.size() && rest[end] != u';' && rest[end] != u',')
            ++end;
        if (end > 0)
            return TextCoding::capitalized(rest.first(end));
    }
    for (const QStringView word : labelWords) {
        if (upper.contains(u';' + word.toString()) || upper.contains(u',' + word.toString()))
            return TextCoding::capitalized(word);
    }
    return std::nullopt;
}

// Street, locality, region, postal code and country, those that are there, joined by commas.
QString formattedAddress(const QString &value)
{
    const QList<QStringView> parts = QStringView(value).split(u';');
    QStringList kept;
    for (qsizetype i = 2; i <= 6 && i < parts.size(); ++i) {
        if (!parts[i].isEmpty())
            kept.append(parts[i].toString());
    }
    return kept.join(u", ");
}

QString withLabel(const QString &value, const std::optional<QString> &label)
{
    return label ? value + u" (" + *label + u')' : value;
}

} // namespace

std::optional<VCardContent> read(const QString &text)
{
    const QString upper = text.toUpper();
    if (!upper.contains(u"BEGIN:VCARD") || !upper.contains(u"END:VCARD"))
        return std::nullopt;

    const QList<PropertyLine> lines = propertyLines(text);
    QList<ContentField> fields;
    for (const PropertyRow &row : propertyTable) {
        for (const PropertyLine &line : lines) {
            if (line.name.compare(row.name, Qt::CaseInsensitive) != 0)
                continue;
            const std::optional<QString> label = row.typeLabel ? typeLabel(line.parameters) : std::nullopt;
            if (row.name == u"ADR") {
                const QString address = formattedAddress(line.value);
                if (!address.isEmpty())
                    fields.append({ row.symbol.toString(), withLabel(address, label) });
            } else {
                fields.append({ row.symbol.toString(), withLabel(line.value, label) });
            }
        }
    }
    return VCardContent(text, displayName(lines), std::move(fields));
}

} // namespace kavri::VCardReader
