// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImageReader>

// How large an image Kavri reads: from a file, the clipboard or a screen capture alike.
namespace kavri::ImageLimits {

// A large scan, or a screenshot across several 4K screens.
inline constexpr qint64 maximumPixels = 100'000'000;

// Lets Qt's image readers allocate an image of maximumPixels at 32 bits a pixel (about 400 MB).
// Qt's own limit, 128 MB, refuses anything above 33 megapixels before Kavri could scale it down.
// Process-wide: call once at start, before any image is read.
inline void allowLargeImages()
{
    constexpr qint64 bytes = maximumPixels * 4;
    constexpr qint64 megabyte = 1 << 20;
    QImageReader::setAllocationLimit(int((bytes + megabyte - 1) / megabyte));
}

} // namespace kavri::ImageLimits
