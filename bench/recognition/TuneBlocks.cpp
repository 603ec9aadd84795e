// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TuneBlocks.h"

#include "TextContent.h"
#include "WordLists.h"

using namespace Qt::StringLiterals;

namespace kavri::tune {

namespace {

using words::between;
using words::capitalized;
using words::pick;

QString sentence(QRandomGenerator &random, const QStringList &list, int low, int high)
{
    QStringList picked;
    for (int count = between(random, low, high); count > 0; --count)
        picked.append(pick(random, list));
    picked.first() = capitalized(picked.first());
    return picked.join(u' ');
}

QString identifier(QRandomGenerator &random)
{
    return pick(random, words::identifiers()) + capitalized(pick(random, words::identifiers()));
}

QStringList body(QRandomGenerator &random, const QString &indent, int low, int high)
{
    QStringList lines;
    for (int count = between(random, low, high); count > 0; --count)
        lines.append(indent + codeLine(random));
    return lines;
}

} // namespace

QStringList codeBlock(QRandomGenerator &random)
{
    const QString indent = random.bounded(3) == 0 ? u"  "_s : u"    "_s;
    QStringList lines;
    if (random.bounded(3) == 0)
        lines.append(u"// --- "_s + pick(random, words::identifiers()) + u" ---"_s);
    switch (random.bounded(4)) {
    case 0:
        lines.append(u"void "_s + identifier(random) + u"(int "_s + pick(random, words::identifiers()) + u')');
        lines.append(u"{"_s);
        lines << body(random, indent, 1, 3);
        lines.append(u"}"_s);
        break;
    case 1:
        lines.append(u"struct "_s + capitalized(identifier(random)) + u" {"_s);
        for (int field = between(random, 2, 3); field > 0; --field)
            lines.append(indent + u"int "_s + pick(random, words::identifiers()) + u" = "_s
                + QString::number(between(random, 0, 64)) + u';');
        lines.append(u"};"_s);
        break;
    case 2:
        lines.append(u"if ("_s + pick(random, words::identifiers()) + u" > "_s + QString::number(between(random, 0, 9))
            + u") {"_s);
        lines << body(random, indent, 1, 2);
        lines.append(u"} else {"_s);
        lines << body(random, indent, 1, 2);
        lines.append(u"}"_s);
        break;
    default:
        lines.append(u"for (auto &"_s + pick(random, words::identifiers()) + u" : "_s + identifier(random) + u") {"_s);
        lines.append(indent + u"if (!"_s + pick(random, words::identifiers()) + u")"_s);
        lines.append(indent + indent + u"continue;"_s);
        lines << body(random, indent, 1, 2);
        lines.append(u"}"_s);
        break;
    }
    return lines;
}

QStringList separatorLines(QRandomGenerator &random)
{
    static const QStringList rulers = { u"---"_s, u"***"_s, u"* * *"_s, u"==="_s, u"___"_s, u"----------"_s };
    static const QStringList bullets = { u"•"_s, u"-"_s, u"*"_s };
    QStringList lines;
    if (random.bounded(2) == 0) {
        const QString title = sentence(random, words::common(), 2, 4);
        lines << title << QString(title.size(), random.bounded(2) == 0 ? u'=' : u'-');
    }
    for (int section = between(random, 2, 3); section > 0; --section) {
        switch (random.bounded(4)) {
        case 0: {
            const QString bullet = pick(random, bullets);
            for (int item = between(random, 2, 3); item > 0; --item)
                lines.append(bullet + u' ' + sentence(random, words::common(), 2, 5));
            break;
        }
        case 1: {
            const bool letters = random.bounded(2) == 0;
            int item = 0;
            for (int count = between(random, 2, 3); item < count; ++item) {
                const QString mark = letters ? QString(QChar(u'a' + item)) + u')' : QString::number(item + 1) + u'.';
                lines.append(mark + u' ' + sentence(random, words::common(), 2, 5));
            }
            break;
        }
        case 2:
            for (int row = between(random, 2, 3); row > 0; --row)
                lines.append(u"| "_s + pick(random, words::statuses()) + u" | "_s
                    + QString::number(between(random, 1, 999)) + u" | "_s + pick(random, words::cities()) + u" |"_s);
            break;
        default:
            lines.append(sentence(random, words::common(), 4, 8) + u'.');
            break;
        }
        lines.append(pick(random, rulers));
    }
    lines.removeLast();
    return lines;
}

QStringList linkLines(QRandomGenerator &random)
{
    static const QStringList endings = { u"."_s, u","_s, u")"_s, u":"_s, u";"_s };
    QStringList lines;
    for (int count = between(random, 2, 3); count > 0; --count) {
        const QString word = pick(random, words::common());
        switch (random.bounded(6)) {
        case 0:
            lines.append(u"Visit "_s + url(random) + pick(random, endings) + u" or write to "_s + email(random)
                + u". "_s + word);
            break;
        case 1:
            lines.append(capitalized(word) + u" ("_s + url(random) + u") and ("_s + email(random) + u")."_s);
            break;
        case 2:
            lines.append(u"Details at"_s);
            lines.append(url(random));
            break;
        case 3:
            lines.append(capitalized(word) + u" | "_s + url(random) + u" |"_s);
            break;
        case 4:
            lines.append(u"[1] "_s + url(random) + u" ["_s);
            break;
        default:
            lines.append(u"“"_s + sentence(random, words::common(), 2, 4) + u"” said ‘"_s + word + u"’, see "_s
                + email(random) + pick(random, endings));
            break;
        }
    }
    return lines;
}

QStringList languageLines(const QString &language, QRandomGenerator &random)
{
    const bool german = language == u"de";
    const QStringList &vocabulary = german ? words::germanWords() : words::frenchWords();
    const QStringList &labels = german ? words::germanLabels() : words::frenchLabels();
    QStringList lines;
    if (random.bounded(3) == 0) {
        for (int count = between(random, 3, 5); count > 0; --count)
            lines.append(pick(random, labels));
        return lines;
    }
    for (int count = between(random, 2, 4); count > 0; --count) {
        QString line = sentence(random, vocabulary, 5, 9);
        if (!german && random.bounded(3) == 0)
            line = u"« "_s + line + u" »"_s;
        else if (german && random.bounded(4) == 0)
            line = u"„"_s + line + u"“"_s;
        lines.append(line + (random.bounded(5) == 0 ? u"?"_s : u"."_s));
    }
    return lines;
}

QString wordLabel(QRandomGenerator &random)
{
    static const QStringList labels = { u"OK"_s, u"Total"_s, u"Cancel"_s, u"Save"_s, u"Next"_s, u"Apply"_s };
    switch (random.bounded(5)) {
    case 0:
        return pick(random, labels);
    case 1:
        return price(random);
    case 2:
        return fullName(random);
    case 3:
        return pick(random, words::uiLabels());
    default:
        return capitalized(pick(random, words::common()));
    }
}

} // namespace kavri::tune
