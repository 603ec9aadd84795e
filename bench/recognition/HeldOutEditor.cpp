// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include "HeldOutCell.h"
#include "HeldOutSources.h"

using namespace Qt::StringLiterals;

namespace kavri::heldout {

namespace {

constexpr int screenWidth = 3840;
constexpr int screenHeight = 2160;
constexpr int pixelSize = 14;

// Non-empty lines of consecutive header files from a random one on; blank lines are left out so
// that every line drawn is a line of the truth.
QStringList codeLines(int count, QRandomGenerator &random)
{
    QStringList lines;
    for (qsizetype file = random.bounded(int(headerFiles().size())); lines.size() < count; ++file) {
        for (const QString &line : headerFiles().at(file % headerFiles().size())) {
            if (!line.trimmed().isEmpty() && line.size() <= 150 && drawable(line))
                lines.append(line);
            if (lines.size() == count)
                break;
        }
    }
    return lines;
}

} // namespace

Cell editorScreen(QRandomGenerator &random)
{
    const Theme &theme = themes().at(random.bounded(2) == 0 ? 2 : 5); // dracula or nord-light
    Cell cell;
    cell.kind = u"page4k"_s;
    cell.theme = theme.name;
    cell.font = u"Noto Mono"_s;
    cell.pixelSize = pixelSize;
    cell.width = screenWidth;
    cell.height = screenHeight;
    cell.background = theme.background;
    const QString ui = u"Open Sans"_s;
    const int line = 20;
    QStringList truth;

    // Tabs.
    QStringList tabs;
    int x = 0;
    for (int tab = 0; tab < 4; ++tab) {
        const QString name = packages().at(random.bounded(int(packages().size()))).name + u".h"_s;
        const int width = blockWidth({ name }, ui, pixelSize) + 40;
        cell.html += u"<div style=\"position:absolute;left:%1px;top:0;width:%2px;height:36px;background:%3;"
                     u"border-right:1px solid %4\"></div>"_s.arg(x)
                         .arg(width)
                         .arg(tab == 0 ? theme.background : theme.panel, theme.border);
        cell.html += textBlock({ name }, ui, pixelSize, 36, x + 20, 0, tab == 0 ? theme.text : theme.muted);
        tabs.append(name);
        x += width;
    }
    truth.append(tabs.join(u' '));

    // Code with its line numbers.
    const int codeTop = 48;
    const int terminalTop = screenHeight - 32 - 14 * line - 40;
    const int codeRows = (terminalTop - codeTop - 8) / line;
    const QStringList code = codeLines(codeRows, random);
    const int firstNumber = 1 + random.bounded(400);
    QStringList numbers;
    for (int row = 0; row < code.size(); ++row)
        numbers.append(QString::number(firstNumber + row).rightJustified(4, u' '));
    cell.html += textBlock(numbers, cell.font, pixelSize, line, 16, codeTop, theme.muted);
    cell.html += textBlock(code, cell.font, pixelSize, line, 96, codeTop, theme.text);
    for (int row = 0; row < code.size(); ++row)
        truth.append(numbers.at(row).trimmed() + u' ' + code.at(row));

    // Terminal: what the last command listed.
    cell.html += u"<div style=\"position:absolute;left:0;top:%1px;width:%2px;height:1px;background:%3\"></div>"_s
                     .arg(terminalTop)
                     .arg(screenWidth)
                     .arg(theme.border);
    QStringList terminal = { u"$ dpkg-query -W -f='${Package} ${Version}\\n' | head"_s };
    for (int row = 0; row < 13; ++row) {
        const Package &package = packages().at(random.bounded(int(packages().size())));
        terminal.append(package.name + u' ' + package.version);
    }
    cell.html += textBlock(terminal, cell.font, pixelSize, line, 16, terminalTop + 12, theme.text);
    truth << terminal;

    // Status bar.
    const QString left = u"main  0 errors  2 warnings"_s;
    const QString right
        = u"Ln %1, Col %2  Spaces: 4  UTF-8  LF  C++"_s.arg(firstNumber + 7).arg(inRange(random, 1, 40));
    cell.html += u"<div style=\"position:absolute;left:0;top:%1px;width:%2px;height:32px;background:%3\"></div>"_s
                     .arg(screenHeight - 32)
                     .arg(screenWidth)
                     .arg(theme.panel);
    cell.html += textBlock({ left }, ui, 13, 32, 16, screenHeight - 32, theme.text);
    cell.html += textBlock(
        { right }, ui, 13, 32, screenWidth - 16 - blockWidth({ right }, ui, 13), screenHeight - 32, theme.text);
    truth.append(left + u' ' + right);
    cell.truth = truth.join(u'\n');
    return cell;
}

} // namespace kavri::heldout
