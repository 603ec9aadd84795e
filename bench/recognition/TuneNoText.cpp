// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TuneNoText.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "CodeSymbols.h"
#include "WordLists.h"

using namespace Qt::StringLiterals;

namespace kavri::tune {

namespace {

using words::between;

QColor randomColour(QRandomGenerator &random)
{
    return QColor::fromHsv(random.bounded(360), between(random, 40, 220), between(random, 60, 250));
}

QImage noise(QSize size, QRandomGenerator &random)
{
    QImage image(size, QImage::Format_RGB32);
    const bool grey = random.bounded(2) == 0;
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int value = random.bounded(256);
            line[x] = grey ? qRgb(value, value, value) : qRgb(value, random.bounded(256), random.bounded(256));
        }
    }
    return image;
}

QImage landscape(QSize size, QRandomGenerator &random)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor::fromHsv(between(random, 190, 230), between(random, 60, 160), 240));
    sky.setColorAt(1, QColor::fromHsv(between(random, 20, 50), between(random, 40, 120), 250));
    painter.fillRect(image.rect(), sky);
    QRadialGradient sun(size.width() * 0.7, size.height() * 0.3, size.height() * 0.2);
    sun.setColorAt(0, QColor(255, 240, 200));
    sun.setColorAt(1, Qt::transparent);
    painter.fillRect(image.rect(), sun);
    for (int ridge = 0; ridge < 3; ++ridge) {
        QPainterPath path;
        const double base = size.height() * (0.5 + 0.15 * ridge);
        path.moveTo(0, size.height());
        for (int x = 0; x <= size.width(); x += size.width() / 8)
            path.lineTo(x, base - random.bounded(size.height() / 4));
        path.lineTo(size.width(), size.height());
        painter.fillPath(path, QColor::fromHsv(between(random, 90, 150), 120, 160 - 40 * ridge));
    }
    painter.end();
    // A photo is soft: scale down and back up.
    return image.scaled(size / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage icons(QSize size, QRandomGenerator &random)
{
    QImage image(size, QImage::Format_RGB32);
    const bool dark = random.bounded(2) == 0;
    image.fill(dark ? QColor(0x202124) : QColor(0xf8f9fa));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = dark ? QColor(0xe8eaed) : QColor(0x3c4043);
    // Half the rows as a HiDPI screen draws them: twice the pixels, crisper shapes.
    const int scale = random.bounded(2) + 1;
    painter.setPen(QPen(ink, 2 * scale));
    const int icon = 20 * scale;
    const int y = (size.height() - icon) / 2;
    for (int x = 12, shape = 0; x + icon < size.width() - 12; x += icon + 18 * scale, ++shape) {
        const QRect box(x, y, icon, icon);
        switch (shape % 7) {
        case 0:
            painter.drawEllipse(box);
            break;
        case 1:
            painter.drawRect(box.adjusted(2, 2, -2, -2));
            break;
        case 2:
            painter.drawLine(box.left(), box.center().y(), box.right(), box.center().y());
            painter.drawLine(box.center().x() + 2, box.top() + 3, box.right(), box.center().y());
            painter.drawLine(box.center().x() + 2, box.bottom() - 3, box.right(), box.center().y());
            break;
        case 3:
            for (int bar = 0; bar < 3; ++bar)
                painter.drawLine(box.left(), box.top() + 4 * scale + 6 * scale * bar, box.right(),
                    box.top() + 4 * scale + 6 * scale * bar);
            break;
        case 4:
            painter.drawLine(box.topLeft(), box.bottomRight());
            painter.drawLine(box.topRight(), box.bottomLeft());
            break;
        case 5:
            painter.drawLine(box.center().x(), box.top(), box.center().x(), box.bottom());
            painter.drawLine(box.left(), box.center().y(), box.right(), box.center().y());
            break;
        default:
            painter.setBrush(ink);
            painter.drawEllipse(box.adjusted(5 * scale, 5 * scale, -5 * scale, -5 * scale));
            painter.setBrush(Qt::NoBrush);
            break;
        }
    }
    return image;
}

QImage emptyWindow(QSize size, QRandomGenerator &random)
{
    QImage image(size, QImage::Format_RGB32);
    const bool dark = random.bounded(2) == 0;
    image.fill(dark ? QColor(0x1e1e1e) : QColor(0xffffff));
    QPainter painter(&image);
    painter.fillRect(0, 0, size.width(), 30, dark ? QColor(0x333333) : QColor(0xe4e4e4));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(dark ? QColor(0xcccccc) : QColor(0x444444), 1.5));
    const int right = size.width() - 20;
    painter.drawLine(right - 8, 11, right, 19);
    painter.drawLine(right - 8, 19, right, 11);
    painter.drawRect(right - 34, 11, 8, 8);
    painter.drawLine(right - 60, 19, right - 52, 19);
    painter.setPen(dark ? QColor(0x444444) : QColor(0xd0d0d0));
    painter.drawLine(0, 30, size.width(), 30);
    return image;
}

QImage gradient(QSize size, QRandomGenerator &random)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient fill(0, 0, size.width(), size.height() * random.bounded(2));
    fill.setColorAt(0, randomColour(random));
    fill.setColorAt(1, randomColour(random));
    painter.fillRect(image.rect(), fill);
    return image;
}

} // namespace

QImage noTextScene(int variant, QRandomGenerator &random)
{
    const QSize size(between(random, 220, 640), between(random, 80, 360));
    switch (variant % noTextVariants) {
    case 0:
        return noise(size, random);
    case 1:
        return landscape(size, random);
    case 2:
        return icons(size, random);
    case 3: {
        const QString payload = u"https://"_s + words::pick(random, words::domains()) + u".com/"_s
            + QString::number(between(random, 1000, 99999));
        const QImage symbol
            = symbols::matrixSymbol(symbols::Symbology::qr, payload, between(random, 3, 6), Qt::black, Qt::white);
        return symbols::withMargin(symbol, Qt::white, random);
    }
    case 4:
        return emptyWindow(size, random);
    default:
        return gradient(size, random);
    }
}

} // namespace kavri::tune
