// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeldOutCell.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace kavri::heldout {

QString textBlock(const QStringList &lines, const QString &family, int pixelSize, double lineHeight, int x, int y,
    const QString &colour, const QString &extraCss)
{
    QStringList escapedLines;
    for (const QString &line : lines)
        escapedLines.append(escaped(line));
    return u"<div class=\"t\" style=\"left:%1px;top:%2px;%3line-height:%4px;color:%5;%6\">%7</div>"_s.arg(x)
        .arg(y)
        .arg(fontCss(family, pixelSize))
        .arg(lineHeight, 0, 'f', 1)
        .arg(colour, extraCss, escapedLines.join(u'\n'));
}

int blockWidth(const QStringList &lines, const QString &family, int pixelSize, bool bold)
{
    double widest = 0.0;
    for (const QString &line : lines)
        widest = std::max(widest, textWidth(line, family, pixelSize, bold));
    return int(std::ceil(widest * 1.05)) + 4;
}

Cell linesCell(const QString &kind, const QStringList &lines, const QString &family, int pixelSize, const Theme &theme,
    QRandomGenerator &random)
{
    Cell cell;
    cell.kind = kind;
    cell.font = family;
    cell.pixelSize = pixelSize;
    cell.theme = theme.name;
    const double lineHeight = std::round(pixelSize * (1.25 + 0.05 * random.bounded(6)));
    const int left = inRange(random, 5, 18);
    const int top = inRange(random, 4, 14);
    cell.width = left + blockWidth(lines, family, pixelSize) + inRange(random, 5, 18);
    cell.height = top + int(std::ceil(lineHeight * lines.size())) + inRange(random, 4, 14);
    cell.background = theme.background;
    cell.html = textBlock(lines, family, pixelSize, lineHeight, left, top, theme.text);
    cell.truth = lines.join(u'\n');
    return cell;
}

} // namespace kavri::heldout
