// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>

#include <QSize>

#include "HeldOutCell.h"
#include "HeldOutPhrases.h"
#include "HeldOutSources.h"

using namespace Qt::StringLiterals;

namespace kavri::heldout {

namespace {

struct Box
{
    int width = 0;
    int height = 0;
    QString html;
};

// One caption on a button face, a tab, a check box or bare; its box includes the decoration.
Box captionBox(
    const QString &caption, const QString &family, int pixelSize, const Theme &theme, int style, int x, int y)
{
    const bool bold = style == 1;
    const int textWidth = blockWidth({ caption }, family, pixelSize, bold);
    const int lineHeight = int(std::round(pixelSize * 1.3));
    QString css;
    int padX = 0;
    int padY = 0;
    switch (style) {
    case 0: // button
        padX = pixelSize;
        padY = pixelSize / 3 + 2;
        css = u"background:linear-gradient(%1,%2);border:1px solid %3;border-radius:%4px;"_s.arg(
            theme.panel, theme.background, theme.border, QString::number(3 + pixelSize / 3));
        break;
    case 1: // primary button
        padX = pixelSize + 4;
        padY = pixelSize / 3 + 3;
        css = u"background:%1;color:%2 !important;border-radius:6px;font-weight:bold;"_s.arg(
            theme.muted, theme.dark ? u"#111111"_s : u"#ffffff"_s);
        break;
    case 2: // tab
        padX = pixelSize - 2;
        padY = pixelSize / 2;
        css = u"border-bottom:2px solid %1;"_s.arg(theme.muted);
        break;
    default: // check box: an empty square left of the caption
        padY = 2;
        break;
    }
    const int left = style == 3 ? pixelSize + 8 : padX;
    Box box;
    if (style == 3)
        box.html = u"<div style=\"position:absolute;left:%1px;top:%2px;width:%3px;height:%3px;box-sizing:border-box;"
                   u"border:2px solid %4;border-radius:3px\"></div>"_s.arg(x)
                       .arg(y + padY + (lineHeight - pixelSize) / 2)
                       .arg(pixelSize)
                       .arg(theme.muted);
    box.width = textWidth + left + padX + 2;
    box.height = lineHeight + 2 * padY + 2;
    box.html += textBlock({ caption }, family, pixelSize, lineHeight, x, y, theme.text,
        css + u"padding:%1px %2px %1px %3px;"_s.arg(padY).arg(padX).arg(left));
    return box;
}

Cell wordCell(const QString &label, QRandomGenerator &random)
{
    static const QList<QSize> selections
        = { { 320, 72 }, { 420, 48 }, { 260, 110 }, { 480, 90 }, { 350, 64 }, { 300, 140 } };
    const Theme &theme = pickOne(random, themes());
    Cell cell;
    cell.kind = u"word"_s;
    cell.theme = theme.name;
    cell.font = pickOne(random, proportionalFonts());
    cell.pixelSize = inRange(random, 11, 16);
    cell.background = theme.background;
    const int style = random.bounded(5); // 4: bare text
    const Box probe = captionBox(label, cell.font, cell.pixelSize, theme, style, 0, 0);
    const QSize size = pickOne(random, selections).expandedTo(QSize(probe.width + 24, probe.height + 12));
    cell.width = size.width();
    cell.height = size.height();
    const int x = inRange(random, 4, cell.width - probe.width - 4);
    const int y = inRange(random, 3, cell.height - probe.height - 3);
    cell.html = captionBox(label, cell.font, cell.pixelSize, theme, style, x, y).html;
    cell.truth = label;
    return cell;
}

Cell uiCell(QRandomGenerator &random)
{
    const Theme &theme = pickOne(random, themes());
    Cell cell;
    cell.kind = u"ui"_s;
    cell.theme = theme.name;
    cell.font = pickOne(random, proportionalFonts());
    cell.pixelSize = std::min(17, pickOne(random, textSizes()));
    cell.background = theme.background;
    const int style = random.bounded(4);
    QStringList rows;
    int y = inRange(random, 6, 14);
    int width = 0;
    QStringList used; // a dialog never shows the same button twice
    for (int row = random.bounded(3) == 0 ? 2 : 1; row > 0; --row) {
        QStringList captions;
        int x = inRange(random, 6, 14);
        int rowHeight = 0;
        for (int count = inRange(random, 1, 4); count > 0; --count) {
            const QString caption = pickOne(random, buttonCaptions());
            if (used.contains(caption))
                continue;
            used.append(caption);
            const Box box = captionBox(caption, cell.font, cell.pixelSize, theme, style, x, y);
            cell.html += box.html;
            captions.append(caption);
            x += box.width + inRange(random, 8, 20);
            rowHeight = std::max(rowHeight, box.height);
        }
        width = std::max(width, x);
        y += rowHeight + inRange(random, 8, 14);
        rows.append(captions.join(u' '));
    }
    cell.width = width;
    cell.height = y;
    cell.truth = rows.join(u'\n');
    return cell;
}

Cell menuCell(QRandomGenerator &random)
{
    const Theme &theme = pickOne(random, themes());
    Cell cell;
    cell.kind = u"menu"_s;
    cell.theme = theme.name;
    cell.font = pickOne(random, proportionalFonts());
    cell.pixelSize = inRange(random, 11, 15);
    cell.background = theme.panel;
    const int row = int(std::round(cell.pixelSize * 2.0));
    QStringList labels;
    QStringList shortcuts;
    for (int count = inRange(random, 3, 7); count > 0; --count) {
        labels.append(pickOne(random, menuEntries()));
        shortcuts.append(random.bounded(3) == 0 ? QString() : pickOne(random, menuShortcuts()));
    }
    const int labelWidth = blockWidth(labels, cell.font, cell.pixelSize);
    const int shortcutWidth = blockWidth(shortcuts, cell.font, cell.pixelSize);
    cell.width = 30 + labelWidth + 36 + shortcutWidth + 14;
    QStringList truth;
    int y = 6;
    for (qsizetype item = 0; item < labels.size(); ++item) {
        if (item > 0 && random.bounded(4) == 0) {
            cell.html
                += u"<div style=\"position:absolute;left:8px;right:8px;top:%1px;height:1px;background:%2\"></div>"_s
                       .arg(y + 4)
                       .arg(theme.border);
            y += 9;
        }
        cell.html += textBlock({ labels.at(item) }, cell.font, cell.pixelSize, row, 30, y, theme.text);
        QString line = labels.at(item);
        if (!shortcuts.at(item).isEmpty()) {
            cell.html += textBlock({ shortcuts.at(item) }, cell.font, cell.pixelSize, row,
                cell.width - 14 - blockWidth({ shortcuts.at(item) }, cell.font, cell.pixelSize), y, theme.muted);
            line += u' ' + shortcuts.at(item);
        }
        truth.append(line);
        y += row;
    }
    cell.height = y + 6;
    cell.truth = truth.join(u'\n');
    return cell;
}

Cell tableCell(QRandomGenerator &random)
{
    const Theme &theme = pickOne(random, themes());
    Cell cell;
    cell.kind = u"table"_s;
    cell.theme = theme.name;
    cell.font = pickOne(random, proportionalFonts());
    cell.pixelSize = std::min(17, pickOne(random, textSizes()));
    cell.background = theme.background;
    QList<QStringList> rows = { { u"Package"_s, u"Version"_s, u"Size"_s } };
    for (int count = inRange(random, 2, 5); count > 0; --count) {
        const Package &package = pickOne(random, packages());
        rows.append({ package.name, package.version, QString::number(package.installedKiB) + u" KiB"_s });
    }
    QList<int> widths(3, 0);
    for (const QStringList &cells : rows) {
        for (qsizetype column = 0; column < cells.size(); ++column)
            widths[column]
                = std::max(widths.at(column), blockWidth({ cells.at(column) }, cell.font, cell.pixelSize, true));
    }
    const int pad = inRange(random, 6, 12);
    const int rowHeight = int(std::round(cell.pixelSize * 1.4)) + 8;
    QStringList truth;
    int y = 8;
    for (qsizetype line = 0; line < rows.size(); ++line) {
        int x = 8;
        for (qsizetype column = 0; column < 3; ++column) {
            const QString css
                = u"box-sizing:border-box;width:%1px;height:%2px;padding:4px %3px;border:1px solid %4;%5"_s
                      .arg(widths.at(column) + 2 * pad)
                      .arg(rowHeight)
                      .arg(pad)
                      .arg(theme.border, line == 0 ? u"font-weight:bold;"_s : QString());
            cell.html += textBlock({ rows.at(line).at(column) }, cell.font, cell.pixelSize,
                std::round(cell.pixelSize * 1.4), x, y, theme.text, css);
            x += widths.at(column) + 2 * pad - 1;
        }
        cell.width = x + 9;
        truth.append(rows.at(line).join(u' '));
        y += rowHeight - 1;
    }
    cell.height = y + 9;
    cell.truth = truth.join(u'\n');
    return cell;
}

} // namespace

Cell widgetCell(const QString &kind, const QString &label, QRandomGenerator &random)
{
    if (kind == u"ui")
        return uiCell(random);
    if (kind == u"menu")
        return menuCell(random);
    if (kind == u"table")
        return tableCell(random);
    return wordCell(label, random);
}

} // namespace kavri::heldout
