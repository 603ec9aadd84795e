// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>

#include "HeldOutCell.h"
#include "HeldOutPhrases.h"
#include "HeldOutSources.h"

using namespace Qt::StringLiterals;

namespace kavri::heldout {

namespace {

const Package &somePackage(QRandomGenerator &random)
{
    return pickOne(random, packages());
}

QString someHomepage(QRandomGenerator &random)
{
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const QString page = somePackage(random).homepage;
        if (!page.isEmpty() && page.size() < 60 && drawable(page))
            return random.bounded(3) == 0 && page.endsWith(u'/') ? page.chopped(1) : page;
    }
    return u"https://www.debian.org/"_s;
}

QString someEmail(QRandomGenerator &random)
{
    return somePackage(random).maintainerEmail;
}

QStringList codeSnippet(QRandomGenerator &random)
{
    for (;;) {
        const QStringList &file = pickOne(random, headerFiles());
        const qsizetype start = random.bounded(int(file.size()));
        qsizetype open = -1;
        for (qsizetype line = start; line < file.size() && open < 0; ++line) {
            if (file.at(line).endsWith(u'{') || file.at(line).trimmed() == u"{")
                open = line;
        }
        if (open < 0)
            continue;
        QStringList lines;
        for (qsizetype line = std::max<qsizetype>(0, open - 2); line < file.size() && lines.size() < 12; ++line) {
            if (!file.at(line).trimmed().isEmpty())
                lines.append(file.at(line));
            if (lines.size() >= 4 && file.at(line).trimmed().startsWith(u'}'))
                break;
        }
        const bool fits = std::all_of(lines.cbegin(), lines.cend(), [](const QString &l) { return l.size() <= 88; });
        if (lines.size() >= 3 && fits && drawable(lines.join(u' ')))
            return lines;
    }
}

QStringList proseLines(const QString &family, int pixelSize, double width, int low, int high, QRandomGenerator &random)
{
    const QStringList lines = wrapped(pickOne(random, proseParagraphs()), family, pixelSize, width);
    return lines.mid(0, inRange(random, low, high));
}

QStringList separatorLines(QRandomGenerator &random)
{
    const Package &package = somePackage(random);
    QStringList lines;
    const QString title = package.name + u' ' + package.version.section(u'-', 0, 0);
    lines << title << QString(title.size(), random.bounded(2) == 0 ? u'=' : u'-');
    QStringList items = package.items;
    if (items.isEmpty())
        items << u"* "_s + somePackage(random).summary << u"* "_s + somePackage(random).summary;
    const QString marker = pickOne(random, QList<QString> { u"•"_s, u"-"_s, u"*"_s });
    for (const QString &item : items.mid(0, 4))
        lines.append(marker + item.mid(1));
    lines.append(pickOne(random, QList<QString> { u"***"_s, u"* * *"_s, u"___"_s, u"---"_s }));
    if (random.bounded(2) == 0) {
        lines << u"| Package | Version |"_s << u"|---------|---------|"_s;
        for (int row = 0; row < 2; ++row) {
            const Package &other = somePackage(random);
            lines.append(u"| "_s + other.name + u" | "_s + other.version + u" |"_s);
        }
    } else {
        const bool letters = random.bounded(2) == 0;
        for (int step = 0; step < 3; ++step)
            lines.append((letters ? QString(QChar(u'a' + step)) + u')' : QString::number(step + 1) + u'.') + u' '
                + somePackage(random).summary.left(48).trimmed());
    }
    return lines;
}

QStringList linkLines(QRandomGenerator &random)
{
    QStringList lines;
    for (int count = inRange(random, 2, 3); count > 0; --count) {
        const Package &package = somePackage(random);
        switch (random.bounded(6)) {
        case 0:
            lines.append(u"Report problems to "_s + package.maintainerEmail + u"; the project lives at "_s
                + someHomepage(random) + u'.');
            break;
        case 1:
            lines.append(u"The upstream site ("_s + someHomepage(random) + u") has the manual, too."_s);
            break;
        case 2:
            lines.append(u"Sources: "_s + someHomepage(random) + u", mirrored at"_s);
            lines.append(someHomepage(random));
            break;
        case 3:
            lines.append(u"Docs: "_s + someHomepage(random) + u" | Contact: "_s + package.maintainerEmail + u" |"_s);
            break;
        case 4:
            lines.append(u"See "_s + someHomepage(random) + u" [edit] or mail "_s + someEmail(random) + u':');
            break;
        default:
            lines.append(u"“"_s + package.summary.left(40).trimmed() + u"”, wrote ‘"_s + package.name + u"’ ("_s
                + package.maintainerEmail + u")."_s);
            break;
        }
    }
    return lines;
}

QString numberItem(QRandomGenerator &random)
{
    const Package &package = somePackage(random);
    static const QStringList days = { u"Mon"_s, u"Tue"_s, u"Wed"_s, u"Thu"_s, u"Fri"_s, u"Sat"_s, u"Sun"_s };
    static const QStringList months = { u"Jan"_s, u"Feb"_s, u"Mar"_s, u"Apr"_s, u"May"_s, u"Jun"_s, u"Jul"_s, u"Aug"_s,
        u"Sep"_s, u"Oct"_s, u"Nov"_s, u"Dec"_s };
    switch (random.bounded(8)) {
    case 0:
        return u"Installed-Size: "_s + QString::number(package.installedKiB) + u" KiB"_s;
    case 1:
        return u"Version "_s + package.version;
    case 2:
        return pickOne(random, days) + u", "_s + u"%1 "_s.arg(inRange(random, 1, 28), 2, 10, QChar(u'0'))
            + pickOne(random, months) + u" 20"_s + QString::number(inRange(random, 10, 25)) + u' '
            + u"%1:%2:%3 +0100"_s.arg(inRange(random, 0, 23), 2, 10, QChar(u'0'))
                  .arg(inRange(random, 0, 59), 2, 10, QChar(u'0'))
                  .arg(inRange(random, 0, 59), 2, 10, QChar(u'0'));
    case 3:
        return u"%1:%2 %3"_s.arg(inRange(random, 1, 12))
            .arg(inRange(random, 0, 59), 2, 10, QChar(u'0'))
            .arg(random.bounded(2) == 0 ? u"AM"_s : u"PM"_s);
    case 4:
        return u"+44 20 %1 %2"_s.arg(inRange(random, 7000, 7999)).arg(inRange(random, 1000, 9999));
    case 5:
        return u"%1.%2 GB of %3 GB used"_s.arg(inRange(random, 1, 400))
            .arg(inRange(random, 0, 9))
            .arg(pickOne(random, QList<int> { 64, 128, 256, 512 }));
    case 6:
        return u"USD "_s + QString::number(inRange(random, 1, 9)) + u','
            + u"%1.%2"_s.arg(inRange(random, 0, 999), 3, 10, QChar(u'0'))
                  .arg(inRange(random, 0, 99), 2, 10, QChar(u'0'));
    default:
        return u"ETA %1:%2:%3"_s.arg(inRange(random, 0, 9), 2, 10, QChar(u'0'))
            .arg(inRange(random, 0, 59), 2, 10, QChar(u'0'))
            .arg(inRange(random, 0, 59), 2, 10, QChar(u'0'));
    }
}

QString wordLabel(QRandomGenerator &random)
{
    switch (random.bounded(5)) {
    case 0:
        return pickOne(random, buttonCaptions());
    case 1:
        return u"€%1,%2.%3"_s.arg(inRange(random, 1, 9))
            .arg(inRange(random, 0, 999), 3, 10, QChar(u'0'))
            .arg(inRange(random, 0, 99), 2, 10, QChar(u'0'));
    case 2:
        return somePackage(random).maintainerName.section(u' ', 0, 1);
    case 3:
        return somePackage(random).name;
    default:
        return pickOne(random, QList<QString> { u"OK"_s, u"Total"_s, u"Cancel"_s, u"Subtotal"_s, u"Price"_s });
    }
}

} // namespace

Cell textCell(const QString &kind, int index, QRandomGenerator &random)
{
    const Theme &theme = pickOne(random, themes());
    const QString sans = pickOne(random, proportionalFonts());
    const QString mono = pickOne(random, monospaceFonts());
    const int size = pickOne(random, textSizes());
    if (kind == u"paragraph")
        return linesCell(
            kind, proseLines(sans, size, inRange(random, 18, 40) * size, 2, 6, random), sans, size, theme, random);
    if (kind == u"code")
        return linesCell(kind, codeSnippet(random), mono, pickOne(random, codeSizes()), theme, random);
    if (kind == u"separators")
        return linesCell(kind, separatorLines(random), index % 2 == 0 ? mono : sans, std::min(size, 17), theme, random);
    if (kind == u"link")
        return linesCell(kind, linkLines(random), sans, std::min(size, 17), theme, random);
    if (kind == u"numbers") {
        QStringList lines;
        for (int line = inRange(random, 1, 3); line > 0; --line)
            lines.append(numberItem(random) + (random.bounded(2) == 0 ? u"    "_s + numberItem(random) : QString()));
        return linesCell(kind, lines, sans, size, theme, random);
    }
    if (kind == u"email") {
        QStringList lines;
        const QStringList fields = QStringList { u"From: "_s, u"To: "_s, u"Cc: "_s }.mid(0, inRange(random, 1, 3));
        for (const QString &field : fields) {
            const Package &package = somePackage(random);
            lines.append(field + package.maintainerName + u" <"_s + package.maintainerEmail + u'>');
        }
        if (!std::all_of(lines.cbegin(), lines.cend(), [](const QString &line) { return drawable(line); }))
            return textCell(kind, index, random);
        return linesCell(kind, lines, sans, std::min(size, 17), theme, random);
    }
    if (kind == u"url") {
        QStringList lines { someHomepage(random) };
        if (random.bounded(3) == 0)
            lines.append(u"https://tracker.debian.org/pkg/"_s + somePackage(random).name);
        return linesCell(kind, lines, sans, size, theme, random);
    }
    if (kind == u"language") {
        const bool german = index % 2 == 0;
        QStringList lines;
        const QStringList &sentences = german ? germanSentences() : frenchSentences();
        const QStringList &interface = german ? germanInterface() : frenchInterface();
        for (int line = inRange(random, 2, 4); line > 0; --line) {
            const QString text = pickOne(random, random.bounded(3) == 0 ? interface : sentences);
            if (!lines.contains(text))
                lines.append(text);
        }
        Cell cell = linesCell(kind, lines, sans, inRange(random, 12, 17), theme, random);
        cell.language = german ? u"de"_s : u"fr"_s;
        return cell;
    }
    return widgetCell(kind, wordLabel(random), random);
}

} // namespace kavri::heldout
