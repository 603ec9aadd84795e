// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BarcodeDecoder.h"

#include <array>
#include <vector>

#include <QPainter>
#include <QPointF>
#include <QPolygonF>

#include <ZXing/ReadBarcode.h>

#include "ImagePreparation.h"

namespace kavri::BarcodeDecoder {

namespace {

constexpr ZXing::BarcodeFormats twoDimensional = ZXing::BarcodeFormat::QRCode | ZXing::BarcodeFormat::Aztec
    | ZXing::BarcodeFormat::DataMatrix | ZXing::BarcodeFormat::PDF417;

struct Found
{
    QString text;
    ZXing::BarcodeFormat format;
    QPolygonF outline; // in the original image's pixels
};

class Collector
{
public:
    // Adds what a pass found in an image \a scale times the original's size, cut out at \a offset.
    // Returns whether the pass found anything. A pass over a turned image gives \a area as the
    // symbols' outline instead.
    bool add(const ZXing::Results &results, double scale, QPoint offset, const QRect &area = {})
    {
        bool any = false;
        for (const ZXing::Result &result : results) {
            if (!result.isValid() || result.contentType() == ZXing::ContentType::Binary)
                continue;
            any = true;
            QPolygonF outline;
            if (!area.isNull())
                outline = QPolygonF(QRectF(area));
            else
                for (const ZXing::PointI &corner : result.position())
                    outline << QPointF(corner.x / scale, corner.y / scale) + QPointF(offset);
            Found found { QString::fromStdString(result.text()), result.format(), outline };
            if (!isKnown(found))
                m_found.push_back(std::move(found));
        }
        return any;
    }
    size_t count() const { return m_found.size(); }
    // Whether a symbol already found lies in \a region.
    bool covers(const QRect &region) const
    {
        return std::any_of(m_found.begin(), m_found.end(),
            [&](const Found &found) { return region.contains(found.outline.boundingRect().center().toPoint()); });
    }
    QStringList payloads() const
    {
        QStringList list;
        for (const Found &found : m_found)
            list.append(found.text);
        return list;
    }

private:
    // The same symbol seen by another pass: same content where an earlier one already lies.
    bool isKnown(const Found &candidate) const
    {
        const QPointF centre = candidate.outline.boundingRect().center();
        return std::any_of(m_found.begin(), m_found.end(), [&](const Found &known) {
            return known.text == candidate.text && known.format == candidate.format
                && (known.outline.containsPoint(centre, Qt::OddEvenFill)
                    || candidate.outline.containsPoint(known.outline.boundingRect().center(), Qt::OddEvenFill));
        });
    }

    std::vector<Found> m_found;
};

ZXing::Results read(const QImage &gray, ZXing::BarcodeFormats formats)
{
    const ZXing::ImageView view(
        gray.constBits(), gray.width(), gray.height(), ZXing::ImageFormat::Lum, int(gray.bytesPerLine()));
    const auto hints = ZXing::DecodeHints().setFormats(formats).setTryHarder(true).setTryRotate(true);
    return ZXing::ReadBarcodes(view, hints);
}

QImage upscaled(const QImage &gray, int factor)
{
    return gray.scaled(gray.width() * factor, gray.height() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// Places that look like a code: compact, dense blobs of ink. Aztec and Data Matrix detectors only
// search around the middle of an image, so a code off-centre or beside another one is read from
// a crop of its own.
std::vector<QRect> candidateRegions(const QImage &gray)
{
    constexpr int cell = 4;
    const int columns = (gray.width() + cell - 1) / cell;
    const int rows = (gray.height() + cell - 1) / cell;
    if (columns < 4 || rows < 4)
        return {};

    // The background is the commonest side of the median; ink is what differs from it.
    const bool darkBackground = ImagePreparation::percentile(gray, 0.5) < 128;

    std::vector<uchar> ink(size_t(columns) * size_t(rows), 0);
    for (int y = 0; y < gray.height(); ++y) {
        const uchar *line = gray.constScanLine(y);
        for (int x = 0; x < gray.width(); ++x) {
            if (darkBackground ? line[x] > 160 : line[x] < 96)
                ink[size_t(y / cell) * size_t(columns) + size_t(x / cell)] = 1;
        }
    }

    // Grow ink by one cell: the white rings of an Aztec bullseye and the gaps between modules must
    // not split a code into pieces.
    std::vector<uchar> grown(ink.size(), 0);
    for (int cy = 0; cy < rows; ++cy)
        for (int cx = 0; cx < columns; ++cx)
            if (ink[size_t(cy) * size_t(columns) + size_t(cx)])
                for (int ny = std::max(0, cy - 1); ny <= std::min(rows - 1, cy + 1); ++ny)
                    for (int nx = std::max(0, cx - 1); nx <= std::min(columns - 1, cx + 1); ++nx)
                        grown[size_t(ny) * size_t(columns) + size_t(nx)] = 1;
    ink = std::move(grown);

    std::vector<QRect> regions;
    std::vector<int> stack;
    for (int start = 0; start < columns * rows; ++start) {
        if (ink[size_t(start)] != 1)
            continue;
        int left = columns, top = rows, right = -1, bottom = -1, filled = 0;
        stack.push_back(start);
        ink[size_t(start)] = 2;
        while (!stack.empty()) {
            const int index = stack.back();
            stack.pop_back();
            const int cx = index % columns, cy = index / columns;
            left = std::min(left, cx), right = std::max(right, cx), top = std::min(top, cy),
            bottom = std::max(bottom, cy);
            ++filled;
            for (const auto &[dx, dy] : { std::pair { 1, 0 }, { -1, 0 }, { 0, 1 }, { 0, -1 } }) {
                const int nx = cx + dx, ny = cy + dy;
                if (nx < 0 || ny < 0 || nx >= columns || ny >= rows)
                    continue;
                const size_t next = size_t(ny) * size_t(columns) + size_t(nx);
                if (ink[next] == 1) {
                    ink[next] = 2;
                    stack.push_back(int(next));
                }
            }
        }
        const int width = right - left + 1, height = bottom - top + 1;
        const bool compact = std::max(width, height) <= 5 * std::min(width, height);
        const bool dense = filled * 10 >= width * height * 4;
        if (width >= 4 && height >= 3 && compact && dense)
            regions.emplace_back(left * cell, top * cell, width * cell, height * cell);
    }
    return regions;
}

// Retries for a code-like region that the plain passes could not read: enlarged (modules of one
// or two pixels), then slightly turned (a photo or a tilted screenshot).
void retryRegion(Collector &collector, const QImage &gray, const QRect &region)
{
    const QImage crop = gray.copy(region);
    const auto tryBoth = [&](const QImage &image) {
        QImage inverse = image;
        inverse.invertPixels();
        const bool plain = collector.add(read(image, twoDimensional), 1.0, {}, region);
        return collector.add(read(inverse, twoDimensional), 1.0, {}, region) || plain;
    };
    for (const int factor : { 2, 3 }) {
        if (qint64(crop.width()) * crop.height() * factor * factor <= 4'000'000 && tryBoth(upscaled(crop, factor)))
            return;
    }
    const int factor = std::max(1, 400 / std::max(1, std::max(crop.width(), crop.height())));
    const QImage base
        = factor > 1 ? crop.scaled(crop.size() * factor, Qt::IgnoreAspectRatio, Qt::SmoothTransformation) : crop;
    for (const qreal angle : { -8.0, -4.0, 4.0, 8.0 }) {
        // Turned on a light ground; the inverted pass covers light-on-dark codes.
        QImage turned(base.size() * 1.2, QImage::Format_Grayscale8);
        turned.fill(gray.pixelColor(region.topLeft()));
        QPainter painter(&turned);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(turned.width() / 2.0, turned.height() / 2.0);
        painter.rotate(angle);
        painter.drawImage(QPointF(-base.width() / 2.0, -base.height() / 2.0), base);
        painter.end();
        if (tryBoth(turned))
            return;
    }
}

} // namespace

QStringList decode(const QImage &gray)
{
    if (gray.isNull())
        return {};
    Collector collector;
    const QImage invertedGray = [&] {
        QImage copy = gray;
        copy.invertPixels();
        return copy;
    }();

    for (const QImage *image : { &gray, &invertedGray })
        collector.add(read(*image, twoDimensional), 1.0, {});

    const QRect whole = gray.rect();
    for (const QRect &candidate : candidateRegions(gray)) {
        const QRect region = candidate.adjusted(-12, -12, 12, 12).intersected(whole);
        if (collector.covers(region))
            continue;
        bool found = false;
        if (region != whole) {
            for (const QImage *image : { &gray, &invertedGray })
                found = collector.add(read(image->copy(region), twoDimensional), 1.0, region.topLeft()) || found;
        }
        if (!found)
            retryRegion(collector, gray, region);
    }

    // Modules of one or two pixels are too fine for the detectors; enlarge small images.
    if (collector.count() == 0 && qint64(gray.width()) * gray.height() <= 1'000'000) {
        for (const int factor : { 2, 3 }) {
            collector.add(read(upscaled(gray, factor), twoDimensional), factor, {});
            collector.add(read(upscaled(invertedGray, factor), twoDimensional), factor, {});
            if (collector.count() > 0)
                break;
        }
    }
    return collector.payloads();
}

} // namespace kavri::BarcodeDecoder
