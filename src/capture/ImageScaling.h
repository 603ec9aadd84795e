// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace kavri::ImageScaling {

// \a gray (Format_Grayscale8) resampled to \a size with a Lanczos filter (three lobes): sharper
// glyph edges than bilinear scaling when enlarging small text. Null for a null image or size.
QImage lanczos(const QImage &gray, QSize size);

} // namespace kavri::ImageScaling
