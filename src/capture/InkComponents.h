// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include <QImage>
#include <QRect>

namespace kavri::InkComponents {

// On a prepared image (dark text on light, contrast stretched), ink is darker than this.
inline constexpr int inkLevel = 128;

struct Component
{
    QRect box;
    qint64 pixels = 0;
};

// The 8-connected areas of \a gray (Format_Grayscale8) darker than \a dark. With \a label, each
// pixel's component index is stored there (-1 for light pixels), row by row.
std::vector<Component> find(const QImage &gray, int dark, std::vector<int> *label = nullptr);

} // namespace kavri::InkComponents
