// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

// Images made at test time: text rendered as a screen shows it, codes written by ZXing.
namespace kavri::test {

// \a lines of text at \a pixelSize, dark on light (or light on dark), with a small margin.
inline QImage renderText(const QStringList &lines, int pixelSize, bool dark = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    const QFontMetrics metrics(font);
    int width = 0;
    for (const QString &line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    QImage image(width + 16, metrics.lineSpacing() * int(lines.size()) + 12, QImage::Format_RGB32);
    image.fill(dark ? QColor(30, 30, 34) : QColor(Qt::white));
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(dark ? QColor(230, 230, 230) : QColor(20, 20, 20));
    for (qsizetype i = 0; i < lines.size(); ++i)
        painter.drawText(8, 6 + metrics.ascent() + metrics.lineSpacing() * int(i), lines[i]);
    return image;
}

// How a test draws text: family, size and colours, as a screen would show them.
struct TextStyle
{
    QString family = QStringLiteral("DejaVu Sans");
    int pixelSize = 13;
    QColor background = Qt::white;
    QColor ink = QColor(25, 25, 25);
};

// \a text drawn in a \a size box with its top left at \a at, one line per "\n", spaced as the
// font says.
inline QImage renderIn(QSize size, QPoint at, const QString &text, const TextStyle &style = {})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(style.background);
    QFont font(style.family);
    font.setPixelSize(style.pixelSize);
    const QFontMetrics metrics(font);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(style.ink);
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i)
        painter.drawText(at.x(), at.y() + metrics.ascent() + metrics.lineSpacing() * int(i), lines[i]);
    return image;
}

// \a text drawn with a margin of \a margin pixels all round.
inline QImage renderBlock(const QString &text, const TextStyle &style = {}, int margin = 10)
{
    QFont font(style.family);
    font.setPixelSize(style.pixelSize);
    const QFontMetrics metrics(font);
    int width = 0;
    const QStringList lines = text.split(u'\n');
    for (const QString &line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    return renderIn(QSize(width + 2 * margin, metrics.lineSpacing() * int(lines.size()) + 2 * margin),
        QPoint(margin, margin), text, style);
}

// A code of \a format holding \a payload, \a module pixels per module, with a quiet zone.
inline QImage renderCode(ZXing::BarcodeFormat format, const QString &payload, int module = 4)
{
    const ZXing::BitMatrix bits = ZXing::MultiFormatWriter(format).setMargin(0).encode(payload.toStdString(), 0, 0);
    const int quiet = 4 * module;
    QImage image(bits.width() * module + 2 * quiet, bits.height() * module + 2 * quiet, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int y = 0; y < bits.height(); ++y)
        for (int x = 0; x < bits.width(); ++x)
            if (bits.get(x, y))
                painter.fillRect(quiet + x * module, quiet + y * module, module, module, Qt::black);
    return image;
}

// \a images side by side on white, with a gap.
inline QImage sideBySide(const QList<QImage> &images, int gap = 40)
{
    int width = gap, height = 0;
    for (const QImage &image : images) {
        width += image.width() + gap;
        height = std::max(height, image.height());
    }
    QImage canvas(width, height + 2 * gap, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    int x = gap;
    for (const QImage &image : images) {
        painter.drawImage(x, gap, image);
        x += image.width() + gap;
    }
    return canvas;
}

} // namespace kavri::test
