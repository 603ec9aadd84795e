// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "VCardReader.h"

#include <array>

#include <QStringDecoder>
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
    QStringView name; // without a group prefix ("item1.")
    QStringView parameters; // from the ";" after the name up to the ":", or empty
    QString value; // decoded and trimmed; escapes are undone by the reader of each property
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

bool isQuotedPrintable(QStringView parameters)
{
    return parameters.contains(u"QUOTED-PRINTABLE", Qt::CaseInsensitive);
}

// The line's text up to its ":", where the parameters are; a colon inside a quoted parameter
// value does not count.
qsizetype colonOf(QStringView line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'"')
            quoted = !quoted;
        else if (line[i] == u':' && !quoted)
            return i;
    }
    return -1;
}

// The physical lines joined into logical ones: a line break followed by a space or a tab folds
// a line (the break and that one character go), and a quoted-printable value that ends in "="
// goes on on the next line (vCard 2.1 soft line breaks).
QStringList logicalLines(const QString &text)
{
    QStringList physical;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isLineBreak(text[i]))
            continue;
        physical.append(text.sliced(start, i - start));
        if (i + 1 < text.size() && text[i] == u'\r' && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    QStringList lines;
    for (const QString &line : std::as_const(physical)) {
        if (!lines.isEmpty() && !line.isEmpty() && (line[0] == u' ' || line[0] == u'\t')) {
            lines.last() += QStringView(line).sliced(1);
            continue;
        }
        if (!lines.isEmpty() && lines.last().endsWith(u'=')) {
            const QStringView previous = lines.last();
            const qsizetype colon = colonOf(previous);
            if (colon > 0 && isQuotedPrintable(previous.first(colon))) {
                lines.last().chop(1);
                lines.last() += line;
                continue;
            }
        }
        lines.append(line);
    }
    return lines;
}

// The value of a parameter ("CHARSET=UTF-8"), unquoted; empty when absent.
QString parameter(QStringView parameters, QStringView name)
{
    for (const QStringView piece : parameters.tokenize(u';', Qt::SkipEmptyParts)) {
        const qsizetype equals = piece.indexOf(u'=');
        if (equals > 0 && piece.first(equals).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return piece.sliced(equals + 1).trimmed().toString().remove(u'"');
    }
    return {};
}

// "=C3=BC" as bytes in the character set the parameters name (UTF-8 unless told otherwise).
QString quotedPrintableDecoded(QStringView value, QStringView parameters)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const int high = i + 2 < value.size() ? TextCoding::hexValue(value[i + 1]) : -1;
        const int low = i + 2 < value.size() ? TextCoding::hexValue(value[i + 2]) : -1;
        if (value[i] == u'=' && high >= 0 && low >= 0) {
            bytes += char(high * 16 + low);
            i += 2;
        } else {
            bytes += QStringView(value).sliced(i, 1).toUtf8();
        }
    }
    const QString charset = parameter(parameters, u"CHARSET");
    QStringDecoder decoder(charset.isEmpty() ? "UTF-8" : charset.toLatin1().constData());
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Latin1); // an unknown set: every byte stays a character
    return decoder.decode(bytes);
}

// A line "[GROUP.]NAME[;PARAMS]:VALUE" with at least one character of value.
std::optional<PropertyLine> parseLine(QStringView line)
{
    const qsizetype colon = colonOf(line);
    if (colon < 0 || colon + 1 >= line.size())
        return std::nullopt;
    const qsizetype semicolon = line.first(colon).indexOf(u';');
    const qsizetype nameEnd = semicolon < 0 ? colon : semicolon;
    QStringView name = line.first(nameEnd);
    name = name.sliced(name.lastIndexOf(u'.') + 1);
    const QStringView parameters = line.sliced(nameEnd, colon - nameEnd);
    const QStringView raw = line.sliced(colon + 1);
    QString value = isQuotedPrintable(parameters) ? quotedPrintableDecoded(raw, parameters) : raw.toString();
    return PropertyLine { name, parameters, value.trimmed() };
}

QList<PropertyLine> propertyLines(const QStringList &lines)
{
    QList<PropertyLine> result;
    for (const QString &line : lines) {
        if (auto property = parseLine(line))
            result.append(std::move(*property));
    }
    return result;
}

// A value with its escapes undone: "\," "\;" "\\" and "\n" (a line break).
QString unescaped(QStringView value)
{
    QString text;
    text.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        const QChar next = value[++i];
        text += (next == u'n' || next == u'N') ? QChar(u'\n') : next;
    }
    return text;
}

// The components of a structured value (N, ADR), split at the ";" no backslash escapes.
QStringList components(QStringView value)
{
    QStringList parts;
    for (const QStringView part : TextCoding::splitAtUnescaped(value, u';'))
        parts.append(unescaped(part));
    return parts;
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
        return unescaped(fn->value);
    const PropertyLine *n = firstLine(lines, u"N");
    if (!n)
        return std::nullopt;
    const QStringList parts = components(n->value);
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
    const QStringList parts = components(value);
    QStringList kept;
    for (qsizetype i = 2; i <= 6 && i < parts.size(); ++i) {
        if (!parts[i].trimmed().isEmpty())
            kept.append(parts[i].trimmed());
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

    const QStringList logical = logicalLines(text); // the lines' names and parameters point into it
    const QList<PropertyLine> lines = propertyLines(logical);
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
                fields.append({ row.symbol.toString(), withLabel(unescaped(line.value), label) });
            }
        }
    }
    return VCardContent(text, displayName(lines), std::move(fields));
}

} // namespace kavri::VCardReader
