// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TuneScenes.h"

#include <algorithm>
#include <array>

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include "WordLists.h"

using namespace Qt::StringLiterals;

namespace kavri::tune {

namespace {

using words::between;
using words::capitalized;
using words::pick;

struct WindowColours
{
    QColor frame, title, body, side, ink, faint;
};

WindowColours windowColours(bool dark)
{
    if (dark)
        return { QColor(0x2d2d30), QColor(0x3c3c3c), QColor(0x1e1e1e), QColor(0x252526), QColor(0xe0e0e0),
            QColor(0x5a5a5a) };
    return { QColor(0xdcdcdc), QColor(0xe8e8e8), QColor(0xffffff), QColor(0xf3f3f3), QColor(0x202020),
        QColor(0xb0b0b0) };
}

// Words of the common list up to \a width pixels.
QString filledLine(const QFontMetrics &metrics, int width, QRandomGenerator &random)
{
    QString line = capitalized(pick(random, words::common()));
    for (;;) {
        const QString longer = line + u' ' + pick(random, words::common());
        if (metrics.horizontalAdvance(longer) > width)
            return line;
        line = longer;
    }
}

void drawIcon(QPainter &painter, const QRect &box, int shape)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    switch (shape % 4) {
    case 0:
        painter.drawEllipse(box.adjusted(1, 1, -1, -1));
        break;
    case 1:
        painter.drawRoundedRect(box.adjusted(1, 1, -1, -1), 2, 2);
        break;
    case 2: {
        QPainterPath path;
        path.moveTo(box.left(), box.bottom());
        path.lineTo(box.center().x(), box.top());
        path.lineTo(box.right(), box.bottom());
        path.closeSubpath();
        painter.drawPath(path);
        break;
    }
    default:
        for (int bar = 0; bar < 3; ++bar)
            painter.drawRect(box.left(), box.top() + 2 + bar * box.height() / 3, box.width(), 2);
        break;
    }
    painter.restore();
}

void drawWindowButtons(QPainter &painter, int right, int centreY, QColor ink)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 1.5));
    painter.setBrush(Qt::NoBrush);
    const int size = 10;
    const int closeX = right - 14 - size;
    painter.drawLine(closeX, centreY - size / 2, closeX + size, centreY + size / 2);
    painter.drawLine(closeX, centreY + size / 2, closeX + size, centreY - size / 2);
    painter.drawRect(closeX - 28, centreY - size / 2, size, size);
    painter.drawLine(closeX - 56, centreY + size / 2, closeX - 56 + size, centreY + size / 2);
    painter.restore();
}

} // namespace

QImage roomyLabel(const QString &label, const QFont &font, QColor background, QColor ink, QRandomGenerator &random)
{
    static const std::array<QSize, 6> selections
        = { { { 300, 60 }, { 400, 40 }, { 250, 120 }, { 500, 80 }, { 360, 100 }, { 280, 48 } } };
    const QFontMetrics metrics(font);
    const bool button = random.bounded(3) == 0;
    const int padX = button ? metrics.horizontalAdvance(u'M') : 0;
    const int padY = button ? std::max(3, metrics.height() / 3) : 0;
    const QSize box(metrics.horizontalAdvance(label) + 2 * padX, metrics.height() + 2 * padY);
    QSize size = selections.at(std::size_t(random.bounded(int(selections.size()))));
    size = size.expandedTo(box + QSize(24, 12));
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    const QPoint at(
        between(random, 4, size.width() - box.width() - 4), between(random, 4, size.height() - box.height() - 4));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (button) {
        const bool dark = background.lightness() < 128;
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(dark ? background.lighter(180) : background.darker(130));
        painter.setBrush(dark ? background.lighter(140) : background.darker(106));
        painter.drawRoundedRect(QRectF(QRect(at, box)).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(at + QPoint(padX, padY + metrics.ascent()), label);
    return image;
}

Scene windowScene(const QFont &font, bool dark, QRandomGenerator &random)
{
    const WindowColours colours = windowColours(dark);
    const QFontMetrics metrics(font);
    const int width = between(random, 560, 760);
    const int titleHeight = metrics.height() + 14;
    const int toolHeight = metrics.height() + 16;
    const int row = metrics.height() + std::max(6, font.pixelSize() / 2);
    const int sideWidth = between(random, 130, 170);
    const int sideItems = between(random, 3, 6);
    const int contentRows = between(random, 3, 7);
    const int bodyRows = std::max(sideItems, contentRows);
    const int statusHeight = metrics.height() + 8;
    const int bodyTop = titleHeight + toolHeight + 1;
    const int height = bodyTop + 8 + bodyRows * row + 8 + statusHeight;

    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colours.body);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.fillRect(0, 0, width, titleHeight, colours.title);
    painter.fillRect(0, titleHeight, width, toolHeight, colours.frame);
    painter.fillRect(0, bodyTop, sideWidth, height - bodyTop - statusHeight, colours.side);
    painter.fillRect(0, height - statusHeight, width, statusHeight, colours.frame);
    painter.setPen(colours.faint);
    painter.drawLine(0, bodyTop - 1, width, bodyTop - 1);
    painter.drawLine(sideWidth, bodyTop, sideWidth, height - statusHeight);

    QStringList truth;
    const QString title = capitalized(pick(random, words::common())) + u' ' + pick(random, words::common())
        + u".txt - "_s + pick(random, words::uiLabels()).section(u' ', 0, 0);
    painter.setPen(colours.ink);
    painter.drawText(QRect(0, 0, width, titleHeight), Qt::AlignCenter, title);
    drawWindowButtons(painter, width, titleHeight / 2, colours.ink);
    truth.append(title);

    QStringList tools;
    int x = 10;
    const int toolBaseline = titleHeight + (toolHeight - metrics.height()) / 2 + metrics.ascent();
    for (int item = between(random, 3, 5); item > 0; --item) {
        const QString label = pick(random, words::uiLabels());
        const int advance = 20 + metrics.horizontalAdvance(label);
        if (x + advance > width - 10)
            break;
        painter.setBrush(colours.ink);
        drawIcon(painter, QRect(x, titleHeight + (toolHeight - 14) / 2, 14, 14), item);
        painter.drawText(x + 20, toolBaseline, label);
        tools.append(label);
        x += advance + 18;
    }
    truth.append(tools.join(u' '));

    for (int line = 0; line < bodyRows; ++line) {
        const int baseline = bodyTop + 8 + line * row + (row - metrics.height()) / 2 + metrics.ascent();
        QStringList cells;
        if (line < sideItems) {
            const QString item = pick(random, words::uiLabels());
            if (metrics.horizontalAdvance(item) < sideWidth - 24) {
                painter.drawText(12, baseline, item);
                cells.append(item);
            }
        }
        if (line < contentRows) {
            const QString text = filledLine(metrics, width - sideWidth - 32, random);
            painter.drawText(sideWidth + 16, baseline, text);
            cells.append(text);
        }
        if (!cells.isEmpty())
            truth.append(cells.join(u' '));
    }

    const QString left = pick(random, words::statuses());
    const QString right = u"Ln %1, Col %2"_s.arg(between(random, 1, 400)).arg(between(random, 1, 80));
    const int statusBaseline = height - statusHeight + (statusHeight - metrics.height()) / 2 + metrics.ascent();
    painter.drawText(10, statusBaseline, left);
    painter.drawText(width - 10 - metrics.horizontalAdvance(right), statusBaseline, right);
    truth.append(left + u' ' + right);
    return { image, truth.join(u'\n') };
}

Scene documentPage(const QFont &font, QRandomGenerator &random)
{
    QImage image(3840, 2160, QImage::Format_RGB32);
    image.fill(QColor(0xfdfdfd));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(QColor(0x1a1a1a));
    const QFontMetrics metrics(font);
    constexpr int columns = 3;
    constexpr int columnWidth = 900;
    constexpr int gutter = 120;
    const int left = (image.width() - columns * columnWidth - (columns - 1) * gutter) / 2;
    QStringList truth;
    for (int column = 0; column < columns; ++column) {
        const int x = left + column * (columnWidth + gutter);
        int baseline = 100 + metrics.ascent();
        int paragraphLeft = between(random, 3, 9);
        while (baseline + metrics.descent() < image.height() - 100) {
            QString line = filledLine(metrics, columnWidth, random);
            const bool paragraphEnds = --paragraphLeft == 0;
            if (paragraphEnds) {
                line += u'.';
                paragraphLeft = between(random, 3, 9);
            }
            painter.drawText(x, baseline, line);
            truth.append(line);
            baseline += metrics.lineSpacing() + (paragraphEnds ? metrics.height() / 2 : 0);
        }
    }
    return { image, truth.join(u'\n') };
}

} // namespace kavri::tune
