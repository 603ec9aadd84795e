// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Frames.h"

#include <algorithm>
#include <vector>

#include "InkComponents.h"

namespace kavri::Frames {

namespace {

using InkComponents::Component;

// Outlines are at least this dark once the face is flattened: the border of a light button is
// faint.
constexpr int outlineLevel = 200;
constexpr int radius = 3; // wider than a stroke of small text, narrower than a button's face
constexpr size_t maximumComponents = 50'000;

// Divides out the local background (the brightest pixel nearby), so that the face of a button
// turns white and its outline stands out from it.
void flattenBackground(QImage &gray)
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

// Inside each frame only the glyphs stay, with a pixel of their soft edge; the frame and the face
// of the button go.
void whiten(QImage &gray, const std::vector<Component> &components, const std::vector<bool> &frame,
    const std::vector<int> &label)
{
    const int width = gray.width(), height = gray.height();
    std::vector<bool> glyph(size_t(width) * size_t(height), false);
    std::vector<QRect> boxes;
    for (size_t i = 0; i < components.size(); ++i)
        if (frame[i])
            boxes.push_back(components[i].box);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int id = label[size_t(y) * size_t(width) + size_t(x)];
            if (id < 0 || frame[size_t(id)])
                continue;
            for (int ny = std::max(0, y - 1); ny <= std::min(height - 1, y + 1); ++ny)
                for (int nx = std::max(0, x - 1); nx <= std::min(width - 1, x + 1); ++nx)
                    glyph[size_t(ny) * size_t(width) + size_t(nx)] = true;
        }
    }
    for (const QRect &box : boxes) {
        for (int y = box.top(); y <= box.bottom(); ++y) {
            uchar *row = gray.scanLine(y);
            for (int x = box.left(); x <= box.right(); ++x)
                if (!glyph[size_t(y) * size_t(width) + size_t(x)])
                    row[x] = 255;
        }
    }
    // Frame pixels that touch a glyph were kept as its soft edge; they go too.
    for (int y = 0; y < height; ++y) {
        uchar *row = gray.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int id = label[size_t(y) * size_t(width) + size_t(x)];
            if (id >= 0 && frame[size_t(id)])
                row[x] = 255;
        }
    }
}

// Whether component \a id has ink above, below, left and right of the middle of \a inner: an
// outline around it, not merged letters beside it (an umlaut's dots or an i's dot lie within the
// box of "ah" or "fi" when the letters touch).
bool encloses(const std::vector<int> &label, int width, int id, QRect inner)
{
    const QPoint middle = inner.center();
    const auto at = [&](int x, int y) { return label[size_t(y) * size_t(width) + size_t(x)] == id; };
    const auto anyOf = [&](int from, int to, auto &&isFrame) {
        for (int v = from; v <= to; ++v)
            if (isFrame(v))
                return true;
        return false;
    };
    const int height = int(label.size() / size_t(width));
    return anyOf(0, inner.top() - 1, [&](int y) { return at(middle.x(), y); })
        && anyOf(inner.bottom() + 1, height - 1, [&](int y) { return at(middle.x(), y); })
        && anyOf(0, inner.left() - 1, [&](int x) { return at(x, middle.y()); })
        && anyOf(inner.right() + 1, width - 1, [&](int x) { return at(x, middle.y()); });
}

// Removes the frames of the flattened \a gray; false, untouched, when there is none.
bool removeFrom(QImage &gray)
{
    const int width = gray.width();
    std::vector<int> label;
    const std::vector<Component> components = InkComponents::find(gray, outlineLevel, &label);
    // A page of speckle has no buttons, and would cost a long search.
    if (components.size() > maximumComponents)
        return false;
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
            if (&other != &components[i] && box.contains(other.box) && encloses(label, width, int(i), other.box)) {
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
    whiten(gray, components, frame, label);
    return true;
}

// A filled face holds at least this many separate light shapes: a word, not a bold letter's
// counters ("B", "8").
constexpr int faceGlyphs = 3;
constexpr int faceEdge = 2; // the anti-aliased rim of a face, in pixels

// Where pixel (x, y) of \a box sits in a vector of the box's pixels, row by row.
size_t inBox(QRect box, int x, int y)
{
    return size_t(y - box.top()) * size_t(box.width()) + size_t(x - box.left());
}

// The pixels of \a box not reachable from its edge without crossing component \a id: what the
// face encloses.
std::vector<bool> enclosedBy(const std::vector<int> &label, int width, int id, QRect box)
{
    const auto index = [box](int x, int y) { return inBox(box, x, y); };
    std::vector<bool> outside(size_t(box.width()) * size_t(box.height()), false);
    std::vector<QPoint> stack;
    const auto visit = [&](int x, int y) {
        if (!box.contains(x, y) || outside[index(x, y)] || label[size_t(y) * size_t(width) + size_t(x)] == id)
            return;
        outside[index(x, y)] = true;
        stack.emplace_back(x, y);
    };
    for (int x = box.left(); x <= box.right(); ++x) {
        visit(x, box.top());
        visit(x, box.bottom());
    }
    for (int y = box.top(); y <= box.bottom(); ++y) {
        visit(box.left(), y);
        visit(box.right(), y);
    }
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        visit(p.x() - 1, p.y());
        visit(p.x() + 1, p.y());
        visit(p.x(), p.y() - 1);
        visit(p.x(), p.y() + 1);
    }
    std::vector<bool> enclosed(outside.size());
    for (size_t i = 0; i < outside.size(); ++i)
        enclosed[i] = !outside[i]
            && label[size_t(box.top() + int(i) / box.width()) * size_t(width)
                   + size_t(box.left() + int(i) % box.width())]
                != id;
    return enclosed;
}

// How many separate light shapes \a enclosed holds within \a box.
int shapesIn(const std::vector<bool> &enclosed, QRect box)
{
    QImage mask(box.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < box.height(); ++y) {
        uchar *row = mask.scanLine(y);
        for (int x = 0; x < box.width(); ++x)
            row[x] = enclosed[size_t(y) * size_t(box.width()) + size_t(x)] ? 0 : 255;
    }
    return int(InkComponents::find(mask, InkComponents::inkLevel).size());
}

} // namespace

bool invertFilledFaces(QImage &gray)
{
    std::vector<int> label;
    const std::vector<Component> components = InkComponents::find(gray, InkComponents::inkLevel, &label);
    if (components.size() > maximumComponents)
        return false;
    const int width = gray.width();
    bool any = false;
    for (size_t i = 0; i < components.size(); ++i) {
        const QRect &box = components[i].box;
        // A face: wider than tall, mostly filled, roomy enough to hold a line of text.
        if (box.width() < box.height() || box.height() < 12
            || components[i].pixels * 2 < qint64(box.width()) * box.height())
            continue;
        const std::vector<bool> enclosed = enclosedBy(label, width, int(i), box);
        if (shapesIn(enclosed, box) < faceGlyphs)
            continue;
        // The face and its soft edge go white; what it holds is turned dark on light.
        const auto isFace = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < width && y < gray.height()
                && label[size_t(y) * size_t(width) + size_t(x)] == int(i);
        };
        for (int y = box.top(); y <= box.bottom(); ++y) {
            uchar *row = gray.scanLine(y);
            for (int x = box.left(); x <= box.right(); ++x) {
                if (enclosed[inBox(box, x, y)])
                    row[x] = uchar(255 - row[x]);
            }
        }
        for (int y = box.top() - faceEdge; y <= box.bottom() + faceEdge; ++y) {
            if (y < 0 || y >= gray.height())
                continue;
            uchar *row = gray.scanLine(y);
            for (int x = std::max(0, box.left() - faceEdge); x <= std::min(width - 1, box.right() + faceEdge); ++x) {
                const bool inside = box.contains(x, y) && enclosed[inBox(box, x, y)];
                if (inside)
                    continue;
                bool nearFace = false;
                for (int dy = -faceEdge; dy <= faceEdge && !nearFace; ++dy)
                    for (int dx = -faceEdge; dx <= faceEdge && !nearFace; ++dx)
                        nearFace = isFace(x + dx, y + dy);
                if (nearFace)
                    row[x] = 255;
            }
        }
        any = true;
    }
    return any;
}

bool remove(QImage &gray)
{
    // Plain text reads better untouched: the flattened image is kept only where it had frames.
    QImage flat = gray;
    flattenBackground(flat);
    if (!removeFrom(flat))
        return false;
    gray = flat;
    return true;
}

} // namespace kavri::Frames
