// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeldOutStyle.h"

#include <QFont>
#include <QFontMetricsF>

using namespace Qt::StringLiterals;

namespace kavri::heldout {

const QList<Theme> &themes()
{
    static const QList<Theme> list = {
        { u"solarized"_s, u"#fdf6e3"_s, u"#586e75"_s, u"#93a1a1"_s, u"#eee8d5"_s, u"#d3cbb7"_s, false },
        { u"nord"_s, u"#2e3440"_s, u"#d8dee9"_s, u"#81a1c1"_s, u"#3b4252"_s, u"#4c566a"_s, true },
        { u"dracula"_s, u"#282a36"_s, u"#f8f8f2"_s, u"#bd93f9"_s, u"#343746"_s, u"#44475a"_s, true },
        { u"sepia"_s, u"#f4ecd8"_s, u"#5b4636"_s, u"#8a7560"_s, u"#e9dfc4"_s, u"#cbbd9c"_s, false },
        { u"dimmed"_s, u"#22272e"_s, u"#adbac7"_s, u"#768390"_s, u"#2d333b"_s, u"#444c56"_s, true },
        { u"nord-light"_s, u"#eceff4"_s, u"#3b4252"_s, u"#5e81ac"_s, u"#e5e9f0"_s, u"#c8ced9"_s, false },
        { u"teal"_s, u"#00695c"_s, u"#e0f2f1"_s, u"#b2dfdb"_s, u"#00796b"_s, u"#26a69a"_s, true },
        { u"rose"_s, u"#fce4ec"_s, u"#6a1b3a"_s, u"#ad1457"_s, u"#f8bbd0"_s, u"#f48fb1"_s, false },
        { u"paper"_s, u"#ffffff"_s, u"#444444"_s, u"#767676"_s, u"#f1f3f4"_s, u"#dadce0"_s, false },
        { u"indigo"_s, u"#1a237e"_s, u"#e8eaf6"_s, u"#9fa8da"_s, u"#283593"_s, u"#3949ab"_s, true },
    };
    return list;
}

const QStringList &proportionalFonts()
{
    static const QStringList list
        = { u"Open Sans"_s, u"Roboto"_s, u"Cantarell"_s, u"Lato"_s, u"FreeSans"_s, u"Noto Serif"_s, u"FreeSerif"_s };
    return list;
}

const QStringList &monospaceFonts()
{
    static const QStringList list = { u"Fira Code"_s, u"Inconsolata"_s, u"Noto Mono"_s, u"FreeMono"_s };
    return list;
}

const QList<int> &textSizes()
{
    static const QList<int> list = { 10, 11, 12, 13, 13, 15, 15, 17, 22, 26 };
    return list;
}

const QList<int> &codeSizes()
{
    static const QList<int> list = { 11, 12, 13, 13, 15, 17 };
    return list;
}

double textWidth(const QString &text, const QString &family, int pixelSize, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setKerning(true);
    return QFontMetricsF(font).horizontalAdvance(text);
}

QStringList wrapped(const QString &text, const QString &family, int pixelSize, double width)
{
    QStringList lines;
    QString line;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + u' ' + word;
        if (!line.isEmpty() && textWidth(longer, family, pixelSize) > width) {
            lines.append(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

QString fontCss(const QString &family, int pixelSize)
{
    // Programming ligatures would draw "===" or "|---|" as one stroke: the truth could no longer
    // be read off the screen.
    if (monospaceFonts().contains(family))
        return u"font: %1px '%2', monospace;font-variant-ligatures:none;"_s.arg(pixelSize).arg(family);
    return u"font: %1px '%2', sans-serif;"_s.arg(pixelSize).arg(family);
}

int inRange(QRandomGenerator &random, int low, int high)
{
    return low + random.bounded(high - low + 1);
}

} // namespace kavri::heldout
