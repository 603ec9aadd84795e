// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// Turns a screen image into what the recognizers read best.
namespace kavri::ImagePreparation {

// Images above this many pixels are scaled down before recognition instead of exhausting memory.
inline constexpr qint64 maxPixels = 40'000'000;

// \a image scaled down to at most maxPixels, as 8-bit gray. Null for a null or empty image.
QImage boundedGray(const QImage &image);

struct TextImage
{
    QImage gray; // dark text on a light background, text scaled up to a readable height
    double scale; // gray's size over the original's
    bool blank; // nothing stands out from the background: no text to look for
    int lineHeight = 0; // of the text in gray, in pixels; 0 when unknown
};

// For text recognition: gray, dark on light (light-on-dark screens are inverted), cut to the box
// of its ink, contrast stretched, without the frames of buttons, small text scaled up, and a
// light margin around it.
TextImage forText(const QImage &gray);

// The gray level below which \a fraction of \a gray's pixels lie (0.5: the median).
int percentile(const QImage &gray, double fraction);

// The same gray image with light and dark exchanged.
QImage inverted(const QImage &gray);

} // namespace kavri::ImagePreparation
