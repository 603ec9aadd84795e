// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImagePreparation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include <QPainter>

#include "Frames.h"
#include "ImageScaling.h"
#include "InkComponents.h"

namespace kavri::ImagePreparation {

namespace {

// Tesseract reads screen text best with lines about this many pixels high.
constexpr double targetLineHeight = 36.0;
constexpr double maxUpscale = 4.0;
// A line of text is about this many times as high as its typical glyph.
constexpr double lineToGlyph = 1.6;
// Enlarging a whole screen of small text costs far more time than it gains.
constexpr double pixelBudget = 12e6;
constexpr int cropPadding = 4;
constexpr int margin = 12;
// Ink differs from the background by at least this share of the strongest contrast in the
// image (dim text on a dim theme is ink too, the soft edges of black text are not), and by at
// least the noise of a compressed image.
constexpr double inkShare = 0.35;
constexpr int noiseLevel = 12;

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

// How far from \a background a pixel must be to count as ink.
int inkContrast(const Histogram &counts, int background)
{
    // The strongest contrast that more than a few pixels reach: one stray pixel is not text.
    Histogram deviations {};
    for (int value = 0; value < 256; ++value)
        deviations[size_t(std::abs(value - background))] += counts[size_t(value)];
    const int strongest = percentile(deviations, 0.999);
    return std::max(noiseLevel, int(strongest * inkShare));
}

struct Ink
{
    int background;
    int contrast;
};

// Dark text on light: the background is the commonest level, and text is what differs from it
// most, on whichever side (light text on a blue button, dark text on white), however little of
// the selection it covers. A button's face or a tinted row differs less than its text.
Ink makeDarkOnLight(QImage &gray)
{
    const Histogram counts = histogram(gray);
    const int background = percentile(counts, 0.5);
    const int contrast = inkContrast(counts, background);
    const int strong = std::max(contrast, int(2 * contrast / inkShare / 3));
    qint64 darker = 0, lighter = 0;
    for (int value = 0; value < 256; ++value) {
        if (value <= background - strong)
            darker += counts[size_t(value)];
        else if (value >= background + strong)
            lighter += counts[size_t(value)];
    }
    if (lighter <= darker)
        return { background, contrast };
    gray.invertPixels();
    return { 255 - background, contrast };
}

// The box around every pixel that is ink.
QRect inkBox(const QImage &gray, const Ink &ink)
{
    const int limit = ink.background - ink.contrast;
    int left = gray.width(), right = -1, top = gray.height(), bottom = -1;
    for (int y = 0; y < gray.height(); ++y) {
        const uchar *row = gray.constScanLine(y);
        for (int x = 0; x < gray.width(); ++x) {
            if (row[x] < limit) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// The median height of the glyph-sized dark components: the size of the text, however tightly
// its lines are set. 0 when there is nothing glyph-like.
int glyphHeight(const QImage &gray)
{
    std::vector<int> heights;
    for (const InkComponents::Component &component : InkComponents::find(gray, InkComponents::inkLevel)) {
        const QRect &box = component.box;
        if (box.height() >= 4 && component.pixels >= 4 && box.width() <= 4 * box.height())
            heights.push_back(box.height());
    }
    if (heights.empty())
        return 0;
    std::nth_element(heights.begin(), heights.begin() + long(heights.size() / 2), heights.end());
    return heights[heights.size() / 2];
}

double scaleFor(const QImage &gray, int lineHeight)
{
    if (lineHeight <= 0)
        return 1.0;
    const double wanted = std::clamp(targetLineHeight / lineHeight, 1.0, maxUpscale);
    const double affordable = std::sqrt(pixelBudget / (double(gray.width()) * gray.height()));
    return std::max(1.0, std::min(wanted, affordable));
}

QImage withMargin(const QImage &gray)
{
    QImage framed(gray.width() + 2 * margin, gray.height() + 2 * margin, QImage::Format_Grayscale8);
    framed.fill(255);
    for (int y = 0; y < gray.height(); ++y)
        std::copy_n(gray.constScanLine(y), gray.width(), framed.scanLine(y + margin) + margin);
    return framed;
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

int percentile(const QImage &gray, double fraction)
{
    return percentile(histogram(gray), fraction);
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
    const Ink ink = makeDarkOnLight(work);
    // Only the text's own box is read: a word in a roomy selection is as readable as a page.
    const QRect box = inkBox(work, ink);
    if (box.isEmpty())
        return { work, 1.0, true, 0 };
    work = work.copy(box.adjusted(-cropPadding, -cropPadding, cropPadding, cropPadding).intersected(work.rect()));
    stretch(work, percentile(histogram(work), 0.01), ink.background);
    Frames::invertFilledFaces(work);
    Frames::remove(work);

    const int lineHeight = int(std::lround(glyphHeight(work) * lineToGlyph));
    const double scale = scaleFor(work, lineHeight);
    if (scale > 1.01)
        work = ImageScaling::lanczos(
            work, QSize(int(std::lround(work.width() * scale)), int(std::lround(work.height() * scale))));
    return { withMargin(work), scale, false, int(std::lround(lineHeight * scale)) };
}

} // namespace kavri::ImagePreparation
