// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImagePreparation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include <QPainter>

namespace kavri::ImagePreparation {

namespace {

// Tesseract's line models read screen text best when a line is about this many pixels high
// (measured on the benchmark corpus: 30 px and 44 px both read worse, 52 px no better).
constexpr double targetLineHeight = 36.0;
constexpr double maxUpscale = 4.0;
constexpr int margin = 12;
// Text differs from its background by at least this much; less is speckle or a gradient, which
// Tesseract's binarisation would turn into letters.
constexpr int minContrast = 48;

using Histogram = std::array<qint64, 256>;

Histogram histogram(const QImage &gray)
{
    Histogram counts {};
    for (int y = 0; y < gray.height(); ++y) {
        const uchar *row = gray.constScanLine(y);
        for (int x = 0; x < gray.width(); ++x)
            ++counts[row[x]];
    }
    return counts;
}

int percentile(const Histogram &counts, double fraction)
{
    qint64 total = 0;
    for (const qint64 count : counts)
        total += count;
    const auto wanted = qint64(std::ceil(fraction * double(total)));
    qint64 seen = 0;
    for (int value = 0; value < 256; ++value) {
        seen += counts[size_t(value)];
        if (seen >= wanted && seen > 0)
            return value;
    }
    return 255;
}

// Maps [low, high] onto [0, 255] so faint or coloured text gets full contrast.
void stretch(QImage &gray, int low, int high)
{
    if (high - low < 8)
        return;
    std::array<uchar, 256> table {};
    for (int value = 0; value < 256; ++value)
        table[size_t(value)] = uchar(std::clamp((value - low) * 255 / (high - low), 0, 255));
    for (int y = 0; y < gray.height(); ++y) {
        uchar *row = gray.scanLine(y);
        for (int x = 0; x < gray.width(); ++x)
            row[x] = table[row[x]];
    }
}

// The median height of the bands of rows that hold ink: the height of a text line.
int estimateLineHeight(const QImage &gray)
{
    const int threshold = 128;
    std::vector<int> heights;
    int run = 0;
    for (int y = 0; y <= gray.height(); ++y) {
        bool ink = false;
        if (y < gray.height()) {
            const uchar *row = gray.constScanLine(y);
            ink = std::any_of(row, row + gray.width(), [](uchar v) { return v < threshold; });
        }
        if (ink) {
            ++run;
        } else if (run > 0) {
            if (run >= 3) // specks are not lines
                heights.push_back(run);
            run = 0;
        }
    }
    if (heights.empty())
        return 0;
    std::nth_element(heights.begin(), heights.begin() + long(heights.size() / 2), heights.end());
    return heights[heights.size() / 2];
}

} // namespace

QImage boundedGray(const QImage &image)
{
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return {};
    QImage source = image;
    const qint64 pixels = qint64(image.width()) * image.height();
    if (pixels > maxPixels) {
        const double factor = std::sqrt(double(maxPixels) / double(pixels));
        source = image.scaled(std::max(1, int(image.width() * factor)), std::max(1, int(image.height() * factor)),
            Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    // Transparent areas read as the light background they sit on, not as black.
    if (source.hasAlphaChannel()) {
        QImage flat(source.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, source);
        source = flat;
    }
    return source.convertToFormat(QImage::Format_Grayscale8);
}

QImage inverted(const QImage &gray)
{
    QImage result = gray;
    result.invertPixels();
    return result;
}

TextImage forText(const QImage &gray)
{
    QImage work = gray;
    Histogram counts = histogram(work);
    // Text covers the smaller part of a selection, so the median is the background.
    if (percentile(counts, 0.5) < 128) {
        work.invertPixels();
        std::reverse(counts.begin(), counts.end());
    }
    const int ink = percentile(counts, 0.01), background = percentile(counts, 0.5);
    if (background - ink < minContrast)
        return { work, 1.0, true };
    stretch(work, ink, background);

    const int lineHeight = estimateLineHeight(work);
    double scale = 1.0;
    if (lineHeight > 0)
        scale = std::clamp(targetLineHeight / lineHeight, 1.0, maxUpscale);
    if (scale > 1.01)
        work = work.scaled(int(std::lround(work.width() * scale)), int(std::lround(work.height() * scale)),
            Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    QImage framed(work.width() + 2 * margin, work.height() + 2 * margin, QImage::Format_Grayscale8);
    framed.fill(255);
    for (int y = 0; y < work.height(); ++y)
        std::copy_n(work.constScanLine(y), work.width(), framed.scanLine(y + margin) + margin);
    return { framed, scale, false };
}

} // namespace kavri::ImagePreparation
