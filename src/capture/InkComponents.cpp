// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "InkComponents.h"

#include <algorithm>

namespace kavri::InkComponents {

std::vector<Component> find(const QImage &gray, int dark, std::vector<int> *label)
{
    const int width = gray.width(), height = gray.height();
    std::vector<int> own;
    std::vector<int> &labels = label ? *label : own;
    labels.assign(size_t(width) * size_t(height), -1);
    std::vector<Component> components;
    std::vector<int> stack;
    for (int y = 0; y < height; ++y) {
        const uchar *row = gray.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            const int start = y * width + x;
            if (labels[size_t(start)] >= 0 || row[x] >= dark)
                continue;
            const int id = int(components.size());
            Component component;
            int left = x, top = y, right = x, bottom = y;
            labels[size_t(start)] = id;
            stack.push_back(start);
            while (!stack.empty()) {
                const int index = stack.back();
                stack.pop_back();
                const int px = index % width, py = index / width;
                left = std::min(left, px), right = std::max(right, px);
                top = std::min(top, py), bottom = std::max(bottom, py);
                ++component.pixels;
                for (int ny = std::max(0, py - 1); ny <= std::min(height - 1, py + 1); ++ny) {
                    const uchar *neighbours = gray.constScanLine(ny);
                    for (int nx = std::max(0, px - 1); nx <= std::min(width - 1, px + 1); ++nx) {
                        const size_t next = size_t(ny) * size_t(width) + size_t(nx);
                        if (labels[next] < 0 && neighbours[nx] < dark) {
                            labels[next] = id;
                            stack.push_back(int(next));
                        }
                    }
                }
            }
            component.box = QRect(QPoint(left, top), QPoint(right, bottom));
            components.push_back(component);
        }
    }
    return components;
}

} // namespace kavri::InkComponents
