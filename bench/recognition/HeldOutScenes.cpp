// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include "HeldOutCell.h"
#include "HeldOutPhrases.h"
#include "HeldOutSources.h"

using namespace Qt::StringLiterals;

namespace kavri::heldout {

namespace {

QString rect(int x, int y, int width, int height, const QString &css)
{
    return u"<div style=\"position:absolute;left:%1px;top:%2px;width:%3px;height:%4px;%5\"></div>"_s.arg(x)
        .arg(y)
        .arg(width)
        .arg(height)
        .arg(css);
}

// A 16x16 line icon without any glyph.
QString icon(int x, int y, int shape, const QString &colour)
{
    static const QStringList shapes = {
        u"<circle cx='8' cy='8' r='6'/>"_s,
        u"<rect x='2' y='3' width='12' height='10' rx='2'/>"_s,
        u"<path d='M2 8h11M9 4l4 4-4 4'/>"_s,
        u"<path d='M2 4h12M2 8h12M2 12h12'/>"_s,
        u"<path d='M8 1l2 5h5l-4 3 2 6-5-4-5 4 2-6-4-3h5z'/>"_s,
        u"<path d='M3 13V6l5-4 5 4v7z'/>"_s,
    };
    return u"<svg style=\"position:absolute;left:%1px;top:%2px\" width=\"16\" height=\"16\" fill=\"none\" "
           u"stroke=\"%3\" stroke-width=\"1.6\">%4</svg>"_s.arg(x)
               .arg(y)
               .arg(colour, shapes.at(shape % shapes.size()));
}

QString windowButtons(int width, int centreY, const Theme &theme, bool circles)
{
    if (circles) {
        QString html;
        static const QStringList colours = { u"#ff5f57"_s, u"#febc2e"_s, u"#28c840"_s };
        for (int button = 0; button < 3; ++button)
            html
                += rect(12 + 20 * button, centreY - 6, 12, 12, u"border-radius:50%;background:"_s + colours.at(button));
        return html;
    }
    return u"<svg style=\"position:absolute;left:%1px;top:%2px\" width=\"80\" height=\"14\" stroke=\"%3\" "
           u"stroke-width=\"1.5\" fill=\"none\"><path d='M2 10h10'/><rect x='32' y='2' width='10' height='10'/>"
           u"<path d='M64 2l10 10M74 2l-10 10'/></svg>"_s.arg(width - 92)
               .arg(centreY - 7)
               .arg(theme.text);
}

Cell windowCell(QRandomGenerator &random)
{
    const Theme &theme = pickOne(random, themes());
    Cell cell;
    cell.kind = u"window"_s;
    cell.theme = theme.name;
    cell.font = pickOne(random, proportionalFonts());
    cell.pixelSize = inRange(random, 12, 15);
    cell.background = theme.background;
    cell.width = inRange(random, 560, 820);
    const QString &font = cell.font;
    const int size = cell.pixelSize;
    const int titleHeight = size + 22;
    const bool circles = random.bounded(2) == 0;
    QStringList truth;
    const QString title = pickOne(random, packages()).name + u".txt — "_s + pickOne(random, applicationNames());
    cell.html += rect(0, 0, cell.width, titleHeight, u"background:"_s + theme.panel);
    cell.html += textBlock({ title }, font, size, titleHeight,
        (cell.width - blockWidth({ title }, font, size, true)) / 2, 0, theme.text, u"font-weight:bold;"_s);
    cell.html += windowButtons(cell.width, titleHeight / 2, theme, circles);
    truth.append(title);

    const int toolTop = titleHeight;
    const int toolHeight = size + 20;
    cell.html += rect(0, toolTop, cell.width, toolHeight, u"border-bottom:1px solid "_s + theme.border);
    QStringList tools;
    for (int x = 10, item = 0; item < 5; ++item) {
        const QString label = pickOne(random, buttonCaptions());
        const int advance = 22 + blockWidth({ label }, font, size);
        if (x + advance > cell.width - 10)
            break;
        cell.html += icon(x, toolTop + (toolHeight - 16) / 2, inRange(random, 0, 5), theme.muted);
        cell.html += textBlock({ label }, font, size, toolHeight, x + 22, toolTop, theme.text);
        tools.append(label);
        x += advance + 16;
    }
    truth.append(tools.join(u' '));

    const int row = int(std::round(size * 1.9));
    const int sideWidth = inRange(random, 150, 190);
    const int sideItems = inRange(random, 3, 7);
    const QStringList content = wrapped(pickOne(random, proseParagraphs()), font, size, cell.width - sideWidth - 40)
                                    .mid(0, inRange(random, 3, 8));
    const int rows = int(std::max<qsizetype>(sideItems, content.size()));
    const int bodyTop = toolTop + toolHeight + 1;
    const int statusHeight = size + 14;
    cell.height = bodyTop + 10 + rows * row + 10 + statusHeight;
    cell.html += rect(0, bodyTop, sideWidth, cell.height - bodyTop - statusHeight,
        u"background:"_s + theme.panel + u";border-right:1px solid "_s + theme.border);
    for (int line = 0; line < rows; ++line) {
        const int top = bodyTop + 10 + line * row;
        QStringList cells;
        if (line < sideItems) {
            const QString entry = pickOne(random, sidebarEntries());
            cell.html += icon(12, top + (row - 16) / 2, line, theme.muted);
            cell.html += textBlock({ entry }, font, size, row, 36, top, theme.text);
            cells.append(entry);
        }
        if (line < content.size()) {
            cell.html += textBlock({ content.at(line) }, font, size, row, sideWidth + 18, top, theme.text);
            cells.append(content.at(line));
        }
        truth.append(cells.join(u' '));
    }
    const int statusTop = cell.height - statusHeight;
    const QString left = pickOne(random, statusTexts());
    const QString right = u"%1 of %2"_s.arg(inRange(random, 1, 9)).arg(inRange(random, 10, 99));
    cell.html += rect(0, statusTop, cell.width, statusHeight, u"border-top:1px solid "_s + theme.border);
    cell.html += textBlock({ left }, font, size - 1, statusHeight, 10, statusTop, theme.muted);
    cell.html += textBlock({ right }, font, size - 1, statusHeight,
        cell.width - 12 - blockWidth({ right }, font, size - 1), statusTop, theme.muted);
    truth.append(left + u' ' + right);
    cell.truth = truth.join(u'\n');
    return cell;
}

// The symbol as one SVG path, \a module px a module, four modules of quiet zone; \a side gets the
// whole width in px.
QString qrSvg(const QString &payload, int module, int &side)
{
    const ZXing::BitMatrix matrix
        = ZXing::MultiFormatWriter(ZXing::BarcodeFormat::QRCode).setMargin(0).encode(payload.toStdString(), 0, 0);
    QString path;
    for (int y = 0; y < matrix.height(); ++y) {
        for (int x = 0; x < matrix.width(); ++x) {
            if (matrix.get(x, y))
                path += u"M%1 %2h1v1h-1z"_s.arg(x).arg(y);
        }
    }
    side = (matrix.width() + 8) * module;
    return u"<svg style=\"position:absolute;left:%1px;top:%1px\" width=\"%2\" height=\"%2\" viewBox=\"0 0 %3 %3\" "
           u"shape-rendering=\"crispEdges\"><path d=\"%4\"/></svg>"_s.arg(4 * module)
               .arg(matrix.width() * module)
               .arg(matrix.width())
               .arg(path);
}

Cell noTextCell(int variant, QRandomGenerator &random)
{
    Cell cell;
    cell.kind = u"notext"_s;
    cell.theme = u"none"_s;
    cell.width = inRange(random, 240, 680);
    cell.height = inRange(random, 90, 380);
    const auto hsl = [&random] {
        return u"hsl(%1,%2%,%3%)"_s.arg(random.bounded(360)).arg(inRange(random, 30, 90)).arg(inRange(random, 25, 80));
    };
    switch (variant % 6) {
    case 0:
        cell.background = u"#808080"_s;
        cell.html = u"<svg width=\"%1\" height=\"%2\" style=\"position:absolute;left:0;top:0\"><filter id=\"n%3\">"
                    u"<feTurbulence type=\"fractalNoise\" baseFrequency=\"0.%4\" numOctaves=\"%5\" seed=\"%3\"/>"
                    u"<feColorMatrix type=\"saturate\" values=\"0.%6\"/></filter><rect width=\"100%\" height=\"100%\" "
                    u"filter=\"url(#n%3)\"/></svg>"_s.arg(cell.width)
                        .arg(cell.height)
                        .arg(random.bounded(100000))
                        .arg(inRange(random, 3, 95))
                        .arg(inRange(random, 1, 4))
                        .arg(random.bounded(10));
        break;
    case 1:
        cell.background = u"linear-gradient(%1,%2 55%,%3 55%)"_s.arg(hsl(), hsl(), hsl());
        for (int blob = inRange(random, 3, 7); blob > 0; --blob)
            cell.html += rect(random.bounded(cell.width) - 60, cell.height / 2 + random.bounded(cell.height / 2) - 40,
                inRange(random, 80, 240), inRange(random, 40, 120),
                u"border-radius:50%;filter:blur(%1px);background:"_s.arg(inRange(random, 3, 12)) + hsl());
        break;
    case 2: {
        const Theme &theme = pickOne(random, themes());
        cell.background = theme.background;
        for (int x = 14, shape = 0; x + 16 < cell.width - 14; x += inRange(random, 28, 44), ++shape)
            cell.html += icon(x, cell.height / 2 - 8, shape, theme.text);
        break;
    }
    case 3: {
        const Package &package = pickOne(random, packages());
        const int module = inRange(random, 3, 6);
        cell.background = u"#ffffff"_s;
        int side = 0;
        cell.html = qrSvg(
            package.homepage.isEmpty() ? u"mailto:"_s + package.maintainerEmail : package.homepage, module, side);
        cell.width = cell.height = side;
        break;
    }
    case 4: {
        const Theme &theme = pickOne(random, themes());
        cell.background = theme.background;
        cell.html = rect(0, 0, cell.width, 36, u"background:"_s + theme.panel)
            + windowButtons(cell.width, 18, theme, random.bounded(2) == 0)
            + rect(cell.width - 10, 44, 6, cell.height / 3, u"border-radius:3px;background:"_s + theme.border);
        break;
    }
    default:
        cell.background = random.bounded(2) == 0
            ? u"conic-gradient(from %1deg,%2,%3,%4,%2)"_s.arg(random.bounded(360)).arg(hsl(), hsl(), hsl())
            : u"radial-gradient(circle at %1% %2%,%3,%4)"_s.arg(random.bounded(100))
                  .arg(random.bounded(100))
                  .arg(hsl(), hsl());
        break;
    }
    return cell;
}

} // namespace

Cell sceneCell(const QString &kind, int index, QRandomGenerator &random)
{
    if (kind == u"window")
        return windowCell(random);
    if (kind == u"notext")
        return noTextCell(index, random);
    return editorScreen(random);
}

} // namespace kavri::heldout
