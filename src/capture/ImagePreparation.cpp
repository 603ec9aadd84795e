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

// Divides out the local background (the brightest pixel nearby), so that text on a grey button
// or a tinted row ends up dark on white like the rest.
void flattenBackground(QImage &gray, int radius)
{
    const int width = gray.width(), height = gray.height();
    std::vector<uchar> rowMax(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        const uchar *row = gray.constScanLine(y);
        uchar *out = rowMax.data() + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x)
            out[x] = *std::max_element(row + std::max(0, x - radius), row + std::min(width - 1, x + radius) + 1);
    }
    for (int y = 0; y < height; ++y) {
        uchar *row = gray.scanLine(y);
        for (int x = 0; x < width; ++x) {
            int background = 1;
            for (int v = std::max(0, y - radius); v <= std::min(height - 1, y + radius); ++v)
                background = std::max<int>(background, rowMax[size_t(v) * size_t(width) + size_t(x)]);
            row[x] = uchar(std::min(255, row[x] * 255 / background));
        }
    }
}

struct Component
{
    QRect box;
    qint64 pixels = 0;
};

// Connected dark areas (8-connected), with each pixel's component in \a label (-1: light).
std::vector<Component> darkComponents(const QImage &gray, int dark, std::vector<int> &label)
{
    const int width = gray.width(), height = gray.height();
    label.assign(size_t(width) * size_t(height), -1);
    std::vector<Component> components;
    std::vector<int> stack;
    for (int start = 0; start < width * height; ++start) {
        if (label[size_t(start)] >= 0 || gray.constScanLine(start / width)[start % width] >= dark)
            continue;
        const int id = int(components.size());
        Component component;
        int left = width, top = height, right = -1, bottom = -1;
        label[size_t(start)] = id;
        stack.push_back(start);
        while (!stack.empty()) {
            const int index = stack.back();
            stack.pop_back();
            const int x = index % width, y = index / width;
            left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
            ++component.pixels;
            for (int ny = std::max(0, y - 1); ny <= std::min(height - 1, y + 1); ++ny)
                for (int nx = std::max(0, x - 1); nx <= std::min(width - 1, x + 1); ++nx) {
                    const size_t next = size_t(ny) * size_t(width) + size_t(nx);
                    if (label[next] < 0 && gray.constScanLine(ny)[nx] < dark) {
                        label[next] = id;
                        stack.push_back(int(next));
                    }
                }
        }
        component.box = QRect(QPoint(left, top), QPoint(right, bottom));
        components.push_back(component);
    }
    return components;
}

// Frames: thin outlines (button borders, boxes) around a row of glyphs. A box around text hides
// the text from Tesseract, or comes back as "|" and "[". Returns whether any was removed.
bool removeFrames(QImage &gray)
{
    constexpr int dark = 160;
    std::vector<int> label;
    const std::vector<Component> components = darkComponents(gray, dark, label);
    std::vector<bool> frame(components.size(), false);
    bool any = false;
    for (size_t i = 0; i < components.size(); ++i) {
        const QRect &box = components[i].box;
        // An outline: little ink for its area, and wider than tall like a button or a cell.
        if (components[i].pixels * 2 >= qint64(box.width()) * box.height() || box.width() < box.height()
            || box.height() < 8)
            continue;
        int inside = 0, tallest = 0;
        for (const Component &other : components) {
            if (&other != &components[i] && box.contains(other.box)) {
                ++inside;
                tallest = std::max(tallest, other.box.height());
            }
        }
        // Glyphs inside, with room above and below them: merged letters never frame a word.
        frame[i] = inside >= 2 && box.height() * 10 >= tallest * 13;
        any = any || frame[i];
    }
    if (!any)
        return false;
    for (int y = 0; y < gray.height(); ++y) {
        uchar *row = gray.scanLine(y);
        for (int x = 0; x < gray.width(); ++x) {
            const int id = label[size_t(y) * size_t(gray.width()) + size_t(x)];
            if (id >= 0 && frame[size_t(id)])
                row[x] = 255;
        }
    }
    return true;
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
    Histogram counts = histogram(work);
    // Text covers the smaller part of a selection, so the median is the background; the text is
    // on the side of it that reaches further (white on a mid-blue button is light text, however
    // dark the window around it).
    const int median = percentile(counts, 0.5);
    if (percentile(counts, 0.99) - median > median - percentile(counts, 0.01)) {
        work.invertPixels();
        std::reverse(counts.begin(), counts.end());
    }
    const int ink = percentile(counts, 0.01), background = percentile(counts, 0.5);
    if (background - ink < minContrast)
        return { work, 1.0, true };
    stretch(work, ink, background);
    // Buttons and boxes: their fill is flattened to white and their outline removed, but only
    // where there is a frame; plain text reads better untouched.
    QImage unframed = work;
    flattenBackground(unframed, 3);
    if (removeFrames(unframed))
        work = unframed;

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
