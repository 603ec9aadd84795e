// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageScaling.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace kavri::ImageScaling {

namespace {

constexpr int lobes = 3;

double kernel(double x)
{
    if (x == 0.0)
        return 1.0;
    if (std::abs(x) >= lobes)
        return 0.0;
    const double pix = std::numbers::pi * x;
    return lobes * std::sin(pix) * std::sin(pix / lobes) / (pix * pix);
}

// The taps of one output position: the first source index and the weights, in 1/16384ths.
struct Taps
{
    int first = 0;
    std::vector<int> weights;
};

std::vector<Taps> tapsFor(int sourceLength, int targetLength)
{
    const double ratio = double(sourceLength) / double(targetLength);
    // Shrinking widens the filter so that every source pixel counts.
    const double support = ratio > 1.0 ? ratio : 1.0;
    auto all = std::vector<Taps>(size_t(targetLength));
    for (int target = 0; target < targetLength; ++target) {
        const double centre = (target + 0.5) * ratio - 0.5;
        const int first = int(std::floor(centre - lobes * support)) + 1;
        const int last = int(std::floor(centre + lobes * support));
        std::vector<double> raw;
        double sum = 0.0;
        for (int source = first; source <= last; ++source) {
            const double weight = kernel((source - centre) / support);
            raw.push_back(weight);
            sum += weight;
        }
        Taps &taps = all[size_t(target)];
        taps.first = first;
        for (const double weight : raw)
            taps.weights.push_back(int(std::lround(weight / sum * 16384.0)));
    }
    return all;
}

} // namespace

QImage lanczos(const QImage &gray, QSize size)
{
    if (gray.isNull() || size.isEmpty())
        return {};
    const QImage source
        = gray.format() == QImage::Format_Grayscale8 ? gray : gray.convertToFormat(QImage::Format_Grayscale8);
    const int width = source.width(), height = source.height();
    const std::vector<Taps> columns = tapsFor(width, size.width());
    const std::vector<Taps> rows = tapsFor(height, size.height());

    // Horizontal pass into a wide intermediate, then vertical into the result.
    std::vector<int> wide(size_t(size.width()) * size_t(height));
    for (int y = 0; y < height; ++y) {
        const uchar *line = source.constScanLine(y);
        int *out = wide.data() + size_t(y) * size_t(size.width());
        for (int x = 0; x < size.width(); ++x) {
            const Taps &taps = columns[size_t(x)];
            int sum = 0;
            for (size_t tap = 0; tap < taps.weights.size(); ++tap)
                sum += taps.weights[tap] * line[std::clamp(taps.first + int(tap), 0, width - 1)];
            out[x] = sum;
        }
    }
    QImage result(size, QImage::Format_Grayscale8);
    for (int y = 0; y < size.height(); ++y) {
        const Taps &taps = rows[size_t(y)];
        uchar *out = result.scanLine(y);
        for (int x = 0; x < size.width(); ++x) {
            qint64 sum = 0;
            for (size_t tap = 0; tap < taps.weights.size(); ++tap) {
                const int sourceRow = std::clamp(taps.first + int(tap), 0, height - 1);
                sum += qint64(taps.weights[tap]) * wide[size_t(sourceRow) * size_t(size.width()) + size_t(x)];
            }
            out[x] = uchar(std::clamp<qint64>((sum + (qint64(1) << 27)) >> 28, 0, 255));
        }
    }
    return result;
}

} // namespace kavri::ImageScaling
