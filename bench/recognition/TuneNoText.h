// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRandomGenerator>

namespace kavri::tune {

constexpr int noTextVariants = 6;

// An image without any text, drawn with QPainter: noise (0), a landscape (1), a row of icons (2),
// a QR code (3), an empty window (4) or a colour gradient (5).
QImage noTextScene(int variant, QRandomGenerator &random);

} // namespace kavri::tune
