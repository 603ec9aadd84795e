// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CodeSymbols.h"

#include <algorithm>
#include <exception>

#include <QFontMetrics>
#include <QPainter>
#include <QTransform>

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include "CodePayloads.h"
#include "WordLists.h"

using namespace Qt::StringLiterals;

namespace kavri::symbols {

namespace {

using words::between;
using words::pick;

ZXing::BarcodeFormat formatOf(Symbology symbology)
{
    switch (symbology) {
    case Symbology::qr:
        return ZXing::BarcodeFormat::QRCode;
    case Symbology::aztec:
        return ZXing::BarcodeFormat::Aztec;
    case Symbology::dataMatrix:
        return ZXing::BarcodeFormat::DataMatrix;
    case Symbology::pdf417:
        break;
    }
    return ZXing::BarcodeFormat::PDF417;
}

// Each module becomes a square of module x module pixels; quietX/quietY modules of paper around.
QImage toImage(const ZXing::BitMatrix &matrix, int module, int quietX, int quietY, QColor ink, QColor paper)
{
    QImage image((matrix.width() + 2 * quietX) * module, (matrix.height() + 2 * quietY) * module, QImage::Format_RGB32);
    image.fill(paper);
    const QRgb inkPixel = ink.rgb();
    for (int y = 0; y < matrix.height(); ++y) {
        for (int x = 0; x < matrix.width(); ++x) {
            if (!matrix.get(x, y))
                continue;
            for (int dy = 0; dy < module; ++dy) {
                auto *line = reinterpret_cast<QRgb *>(image.scanLine((y + quietY) * module + dy));
                std::fill_n(line + (x + quietX) * module, module, inkPixel);
            }
        }
    }
    return image;
}

void writeLines(QPainter &painter, const QRect &area, int pixelSize, QRandomGenerator &random)
{
    if (area.width() < 30 || area.height() < pixelSize + 4)
        return;
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(pixelSize);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (int baseline = area.top() + metrics.ascent(); baseline + metrics.descent() <= area.bottom();
         baseline += metrics.lineSpacing() + 2) {
        QString line = words::capitalized(pick(random, words::common()));
        for (;;) {
            const QString longer = line + u' ' + pick(random, words::common());
            if (metrics.horizontalAdvance(longer) > area.width())
                break;
            line = longer;
        }
        if (metrics.horizontalAdvance(line) <= area.width())
            painter.drawText(QPoint(area.left(), baseline), line);
    }
}

} // namespace

QString nameOf(Symbology symbology)
{
    switch (symbology) {
    case Symbology::qr:
        return u"QR"_s;
    case Symbology::aztec:
        return u"Aztec"_s;
    case Symbology::dataMatrix:
        return u"DataMatrix"_s;
    case Symbology::pdf417:
        break;
    }
    return u"PDF417"_s;
}

QImage matrixSymbol(Symbology symbology, const QString &payload, int module, QColor ink, QColor paper)
{
    try {
        const auto matrix
            = ZXing::MultiFormatWriter(formatOf(symbology)).setMargin(0).encode(payload.toStdString(), 0, 0);
        const int quiet = symbology == Symbology::qr ? 4 : 2;
        return toImage(matrix, module, quiet, quiet, ink, paper);
    } catch (const std::exception &) {
        return {};
    }
}

QImage linearSymbol(bool ean13, const QString &content, int module, QColor ink, QColor paper)
{
    const auto format = ean13 ? ZXing::BarcodeFormat::EAN13 : ZXing::BarcodeFormat::Code128;
    const auto row = ZXing::MultiFormatWriter(format).setMargin(0).encode(content.toStdString(), 0, 0);
    const QImage bars = toImage(row, module, 10, 0, ink, paper);
    const int barHeight = 40 + 8 * module;
    QFont font(u"DejaVu Sans Mono"_s);
    font.setPixelSize(12 + module);
    const QFontMetrics metrics(font);
    QImage image(bars.width(), barHeight + metrics.height() + 2, QImage::Format_RGB32);
    image.fill(paper);
    QPainter painter(&image);
    painter.drawImage(QRect(0, 0, bars.width(), barHeight), bars);
    painter.setFont(font);
    painter.setPen(ink);
    const QString digits = ean13 ? ean13WithCheckDigit(content) : content;
    painter.drawText(QRect(0, barHeight + 1, image.width(), metrics.height()), Qt::AlignCenter, digits);
    return image;
}

QImage arrange(const QList<QImage> &parts, bool horizontal, int gap, QColor paper)
{
    int along = 0;
    int across = 0;
    for (const QImage &part : parts) {
        along += (horizontal ? part.width() : part.height()) + (along > 0 ? gap : 0);
        across = std::max(across, horizontal ? part.height() : part.width());
    }
    QImage image(horizontal ? along : across, horizontal ? across : along, QImage::Format_RGB32);
    image.fill(paper);
    QPainter painter(&image);
    int at = 0;
    for (const QImage &part : parts) {
        if (horizontal) {
            painter.drawImage(at, (across - part.height()) / 2, part);
            at += part.width() + gap;
        } else {
            painter.drawImage((across - part.width()) / 2, at, part);
            at += part.height() + gap;
        }
    }
    return image;
}

QImage withMargin(const QImage &image, QColor paper, QRandomGenerator &random)
{
    const int left = between(random, 4, 12);
    const int top = between(random, 4, 12);
    QImage framed(image.width() + left + between(random, 4, 12), image.height() + top + between(random, 4, 12),
        QImage::Format_RGB32);
    framed.fill(paper);
    QPainter painter(&framed);
    painter.drawImage(left, top, image);
    return framed;
}

QImage rotated(const QImage &image, double degrees, QColor paper)
{
    const QRect bounds = QTransform().rotate(degrees).mapRect(image.rect());
    QImage turned(bounds.width() + 8, bounds.height() + 8, QImage::Format_RGB32);
    turned.fill(paper);
    QPainter painter(&turned);
    painter.setRenderHints(QPainter::SmoothPixmapTransform | QPainter::Antialiasing);
    painter.translate(turned.width() / 2.0, turned.height() / 2.0);
    painter.rotate(degrees);
    painter.drawImage(QPointF(-image.width() / 2.0, -image.height() / 2.0), image);
    return turned;
}

QImage inBusyScene(const QImage &symbol, QRandomGenerator &random)
{
    const int side = between(random, 140, 320);
    const int titleHeight = 26;
    const int above = between(random, 24, 70);
    const int below = between(random, 48, 90);
    const QSize size(symbol.width() + side + 24, titleHeight + above + symbol.height() + below);
    static const QList<QColor> windows = { QColor(0xffffff), QColor(0xf3f3f3), QColor(0xfafafa) };
    static const QList<QColor> bars = { QColor(0x2b579a), QColor(0x333333), QColor(0xdedede), QColor(0x6a1b9a) };
    static const QList<QColor> inks = { QColor(0x202020), QColor(0x555555), QColor(0x1a0dab), QColor(0x006621) };
    QImage scene(size, QImage::Format_RGB32);
    scene.fill(windows.at(random.bounded(int(windows.size()))));
    QPainter painter(&scene);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    const QColor bar = bars.at(random.bounded(int(bars.size())));
    painter.fillRect(QRect(0, 0, size.width(), titleHeight), bar);
    painter.setPen(bar.lightness() < 128 ? Qt::white : Qt::black);
    writeLines(painter, QRect(10, 5, size.width() / 2, titleHeight - 6), 13, random);

    const bool symbolOnLeft = random.bounded(2) == 0;
    const QPoint symbolAt(symbolOnLeft ? 12 : size.width() - symbol.width() - 12, titleHeight + above);
    const QRect beside = symbolOnLeft
        ? QRect(symbolAt.x() + symbol.width() + 14, symbolAt.y(), side - 14, symbol.height())
        : QRect(10, symbolAt.y(), side - 14, symbol.height());
    painter.setPen(inks.at(random.bounded(int(inks.size()))));
    writeLines(painter, QRect(10, titleHeight + 8, size.width() - 20, above - 16), between(random, 11, 15), random);
    painter.setPen(inks.at(random.bounded(int(inks.size()))));
    writeLines(painter, beside.adjusted(0, 0, 0, -beside.height() / 3), between(random, 11, 14), random);

    // A row of buttons below the symbol and a rule above them.
    const int buttonsTop = symbolAt.y() + symbol.height() + 10;
    painter.setPen(QColor(0xcccccc));
    painter.drawLine(10, buttonsTop - 4, size.width() - 10, buttonsTop - 4);
    QFont font(u"Liberation Sans"_s);
    font.setPixelSize(13);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    int x = 10;
    for (int count = between(random, 1, 3); count > 0; --count) {
        const QString label = pick(random, words::uiLabels());
        const QRect button(x, buttonsTop + 4, metrics.horizontalAdvance(label) + 24, metrics.height() + 10);
        if (button.right() > size.width() - 10 || button.bottom() > size.height() - 4)
            break;
        const QColor face = random.bounded(2) == 0 ? QColor(0x0b57d0) : QColor(0xe8e8e8);
        painter.setBrush(face);
        painter.setPen(face.darker(120));
        painter.drawRoundedRect(QRectF(button).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
        painter.setPen(face.lightness() < 128 ? Qt::white : Qt::black);
        painter.drawText(button, Qt::AlignCenter, label);
        x = button.right() + 10;
    }
    painter.drawImage(symbolAt, symbol);
    return scene;
}

} // namespace kavri::symbols
