// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextContent.h"

#include <algorithm>
#include <array>

#include "TuneBlocks.h"
#include "WordLists.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

using words::between;
using words::capitalized;
using words::pick;

QString number(QRandomGenerator &random, int low, int high)
{
    return QString::number(between(random, low, high));
}

QString twoDigits(int value)
{
    return u"%1"_s.arg(value, 2, 10, QChar(u'0'));
}

QString withThousands(int value)
{
    QString digits = QString::number(value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u',');
    return digits;
}

QString camelCase(QRandomGenerator &random)
{
    return pick(random, words::identifiers()) + capitalized(pick(random, words::identifiers()));
}

QString snakeCase(QRandomGenerator &random)
{
    return pick(random, words::identifiers()) + u'_' + pick(random, words::identifiers());
}

} // namespace

QString fullName(QRandomGenerator &random)
{
    return pick(random, words::firstNames()) + u' ' + pick(random, words::lastNames());
}

QString host(QRandomGenerator &random)
{
    return pick(random, words::domains()) + u'.' + pick(random, words::topLevelDomains());
}

QString url(QRandomGenerator &random)
{
    static const QStringList schemes = { u"https://"_s, u"https://www."_s, u"http://"_s, u"www."_s };
    QString text = pick(random, schemes) + host(random);
    for (int segments = between(random, 0, 3); segments > 0; --segments) {
        text += u'/' + pick(random, words::common());
        if (random.bounded(3) == 0)
            text += u'-' + pick(random, words::common());
    }
    switch (random.bounded(4)) {
    case 0:
        text += u"?id="_s + number(random, 10, 99999);
        break;
    case 1:
        text += u"?q="_s + pick(random, words::common()) + u"&page="_s + number(random, 1, 20);
        break;
    default:
        break;
    }
    return text;
}

QString email(QRandomGenerator &random)
{
    const QString first = pick(random, words::firstNames()).toLower();
    const QString last = pick(random, words::lastNames()).toLower();
    switch (random.bounded(4)) {
    case 0:
        return first + u'.' + last + u'@' + host(random);
    case 1:
        return first.first(1) + last + u'@' + host(random);
    case 2:
        return first + u'_' + last + number(random, 1, 99) + u'@' + host(random);
    default:
        return first + u'@' + host(random);
    }
}

namespace {

QString isoDate(QRandomGenerator &random)
{
    return number(random, 2019, 2027) + u'-' + twoDigits(between(random, 1, 12)) + u'-'
        + twoDigits(between(random, 1, 28));
}

} // namespace

QString price(QRandomGenerator &random)
{
    static const QStringList currencies = { u"$"_s, u"$"_s, u"€"_s, u"£"_s };
    return pick(random, currencies) + withThousands(between(random, 1, 4999)) + u'.'
        + twoDigits(between(random, 0, 99));
}

namespace {

QString numberItem(QRandomGenerator &random)
{
    switch (random.bounded(12)) {
    case 0:
        return u"Total: "_s + price(random);
    case 1:
        return price(random);
    case 2:
        return isoDate(random);
    case 3:
        return number(random, 1, 28) + u' ' + pick(random, words::months()) + u' ' + number(random, 2019, 2027);
    case 4:
        return pick(random, words::months()).first(3) + u' ' + number(random, 1, 28) + u", "_s
            + number(random, 2019, 2027);
    case 5:
        return twoDigits(between(random, 0, 23)) + u':' + twoDigits(between(random, 0, 59));
    case 6:
        return u"+1 (555) "_s + u"%1-%2"_s.arg(between(random, 100, 999)).arg(between(random, 1000, 9999));
    case 7:
        return number(random, 1, 99) + u'.' + number(random, 0, 9) + u'%';
    case 8:
        return u"Order #"_s + number(random, 10000, 99999);
    case 9:
        return u"INV-"_s + number(random, 2019, 2027) + u'-'
            + u"%1"_s.arg(between(random, 1, 9999), 4, 10, QChar(u'0'));
    case 10:
        return u"v"_s + number(random, 0, 9) + u'.' + number(random, 0, 30) + u'.' + number(random, 0, 20);
    default:
        return u"192.168."_s + number(random, 0, 9) + u'.' + number(random, 2, 254);
    }
}

QStringList paragraph(QRandomGenerator &random)
{
    QStringList stream;
    while (stream.size() < 60) {
        const int length = between(random, 6, 14);
        for (int index = 0; index < length; ++index) {
            QString word = pick(random, words::common());
            if (random.bounded(25) == 0)
                word = pick(random, words::cities());
            else if (random.bounded(30) == 0)
                word = number(random, 2, 500);
            if (index == 0)
                word = capitalized(word);
            if (index == length - 1)
                word += random.bounded(6) == 0 ? u"?"_s : u"."_s;
            else if (index > 1 && random.bounded(9) == 0)
                word += u',';
            stream.append(word);
        }
    }
    QStringList lines;
    qsizetype at = 0;
    for (int line = between(random, 2, 5); line > 0; --line) {
        const int count = between(random, 5, 10);
        lines.append(stream.mid(at, count).join(u' '));
        at += count;
    }
    return lines;
}

} // namespace

QString codeLine(QRandomGenerator &random)
{
    const QString id = pick(random, words::identifiers());
    const QString other = pick(random, words::identifiers());
    switch (random.bounded(16)) {
    case 0:
        return u"for (int i = 0; i < "_s + id + u"s.size(); ++i) {"_s;
    case 1:
        return u"if ("_s + camelCase(random) + u" == nullptr) return false;"_s;
    case 2:
        return u"def "_s + snakeCase(random) + u'(' + id + u", "_s + other + u"=None):"_s;
    case 3:
        return u"return "_s + snakeCase(random) + u'(' + id + u", "_s + number(random, 0, 512) + u");"_s;
    case 4:
        return snakeCase(random) + u" = "_s + id + u".get(\""_s + other + u"\", "_s + number(random, 0, 99) + u')';
    case 5:
        return u"const "_s + camelCase(random) + u" = await fetch(\"/api/"_s + id + u'/' + number(random, 1, 999)
            + u"\");"_s;
    case 6:
        return u"#include <"_s + id + u'/' + capitalized(camelCase(random)) + u".h>"_s;
    case 7:
        return u"git commit -m \"Fix "_s + id + u' ' + other + u" handling\""_s;
    case 8:
        return u"sudo apt install lib"_s + id + u"-dev"_s;
    case 9:
        return u"SELECT "_s + id + u", "_s + other + u" FROM "_s + id + u"s WHERE id = "_s + number(random, 1, 9999)
            + u';';
    case 10:
        return u"export PATH=\"$HOME/.local/bin:$PATH\""_s;
    case 11:
        return u"std::vector<int> "_s + camelCase(random) + u'(' + number(random, 2, 64) + u", 0);"_s;
    case 12:
        return camelCase(random) + u".push_back("_s + id + u");"_s;
    case 13:
        return u"$ ls -la /var/log/"_s + id;
    case 14:
        return u"print(f\""_s + id + u" = {"_s + id + u"}\")"_s;
    default:
        return u"{ \""_s + id + u"\": "_s + number(random, 0, 999) + u", \""_s + other + u"\": true }"_s;
    }
}

namespace {

QList<QStringList> table(QRandomGenerator &random)
{
    struct Column
    {
        QString header;
        int kind;
    };
    static const QList<Column> kinds = { { u"Name"_s, 0 }, { u"City"_s, 1 }, { u"Status"_s, 2 }, { u"Amount"_s, 3 },
        { u"Date"_s, 4 }, { u"Qty"_s, 5 }, { u"ID"_s, 6 } };
    QList<Column> columns;
    const int columnCount = between(random, 2, 3);
    while (columns.size() < columnCount) {
        const Column &column = kinds.at(random.bounded(int(kinds.size())));
        if (std::none_of(columns.cbegin(), columns.cend(), [&](const Column &c) { return c.kind == column.kind; }))
            columns.append(column);
    }
    QList<QStringList> rows;
    if (random.bounded(2) == 0) {
        QStringList header;
        for (const Column &column : columns)
            header.append(column.header);
        rows.append(header);
    }
    for (int row = between(random, 2, 4); row > 0; --row) {
        QStringList cells;
        for (const Column &column : columns) {
            switch (column.kind) {
            case 0:
                cells.append(fullName(random));
                break;
            case 1:
                cells.append(pick(random, words::cities()));
                break;
            case 2:
                cells.append(pick(random, words::statuses()));
                break;
            case 3:
                cells.append(price(random));
                break;
            case 4:
                cells.append(isoDate(random));
                break;
            case 5:
                cells.append(number(random, 1, 250));
                break;
            default:
                cells.append(u"A-"_s + number(random, 1000, 9999));
                break;
            }
        }
        rows.append(cells);
    }
    return rows;
}

QList<QStringList> asRows(const QStringList &lines)
{
    QList<QStringList> rows;
    for (const QString &line : lines)
        rows.append(QStringList { line });
    return rows;
}

} // namespace

QString TextContent::truth() const
{
    QStringList lines;
    for (const QStringList &cells : rows)
        lines.append(cells.join(u' '));
    return lines.join(u'\n');
}

TextContent makeTextContent(const QString &category, QRandomGenerator &random)
{
    TextContent content;
    if (category == u"ui") {
        const int count = random.bounded(5) < 3 ? 1 : between(random, 2, 3);
        QStringList labels;
        while (labels.size() < count)
            labels.append(pick(random, words::uiLabels()));
        content.layout = TextContent::Layout::toolbar;
        content.buttons = random.bounded(2) == 0;
        content.rows.append(labels);
    } else if (category == u"menu") {
        content.layout = TextContent::Layout::menu;
        const bool withShortcuts = random.bounded(2) == 0;
        for (int item = between(random, 3, 6); item > 0; --item) {
            QStringList cells { pick(random, words::uiLabels()) };
            if (withShortcuts && random.bounded(3) > 0)
                cells.append(pick(random, words::shortcuts()));
            content.rows.append(cells);
        }
    } else if (category == u"paragraph") {
        content.rows = asRows(paragraph(random));
    } else if (category == u"code") {
        content.rows = asRows(tune::codeBlock(random));
    } else if (category == u"separators") {
        content.rows = asRows(tune::separatorLines(random));
    } else if (category == u"link") {
        content.rows = asRows(tune::linkLines(random));
    } else if (category == u"url") {
        QStringList lines { url(random) };
        if (random.bounded(4) == 0)
            lines.append(url(random));
        content.rows = asRows(lines);
    } else if (category == u"email") {
        static const QStringList prefixes = { QString(), QString(), u"Email: "_s, u"Contact: "_s };
        QStringList lines;
        for (int line = between(random, 1, 2); line > 0; --line) {
            if (random.bounded(4) == 0)
                lines.append(u"From: "_s + fullName(random) + u" <"_s + email(random) + u'>');
            else
                lines.append(pick(random, prefixes) + email(random));
        }
        content.rows = asRows(lines);
    } else if (category == u"numbers") {
        QStringList lines;
        for (int line = between(random, 1, 2); line > 0; --line) {
            QStringList items;
            for (int item = between(random, 1, 3); item > 0; --item)
                items.append(numberItem(random));
            lines.append(items.join(u"  "_s));
        }
        content.rows = asRows(lines);
    } else if (category == u"table") {
        content.layout = TextContent::Layout::columns;
        content.rows = table(random);
    } else {
        content.rows = asRows({ tune::wordLabel(random) });
    }
    return content;
}

} // namespace kavri
