// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MarkRow.h"

#include <algorithm>
#include <vector>

#include "InkComponents.h"

using namespace Qt::StringLiterals;

namespace kavri::MarkRow {

namespace {

// A bullet is a filled disc; a star at small sizes fills less of its box.
constexpr double bulletFill = 0.72;
// Marks set without spaces stand at most a third of an em apart (dashes in a fixed-width font),
// with spaces at least two fifths; a line of text is about 1.2 em high.
constexpr int spaceShare = 31;
using Blob = InkComponents::Component;

// The blobs inside \a area, in the area's coordinates.
std::vector<Blob> blobs(const QImage &gray, const QRect &area)
{
    std::vector<Blob> found = InkComponents::find(gray.copy(area), InkComponents::inkLevel);
    return found;
}

bool isBar(const Blob &blob, int lineHeight)
{
    return blob.box.width() * 2 >= blob.box.height() * 3 && blob.box.height() * 5 <= lineHeight;
}

// One mark: a blob, or two bars one above the other.
struct Mark
{
    QRect box;
    QChar character;
};

std::optional<QChar> characterOf(const std::vector<Blob> &parts, int lineHeight)
{
    if (parts.size() == 2 && isBar(parts[0], lineHeight) && isBar(parts[1], lineHeight))
        return u'=';
    if (parts.empty())
        return std::nullopt;
    // Antialiasing may break a small star into its arms: the parts make one mark.
    Blob blob;
    for (const Blob &part : parts) {
        blob.box = blob.box.united(part.box);
        blob.pixels += part.pixels;
    }
    if (isBar(blob, lineHeight))
        return parts.size() == 1 ? std::optional<QChar>(u'-') : std::nullopt;
    const QRect &box = blob.box;
    if (box.width() * 2 < box.height() || box.height() * 2 < box.width())
        return std::nullopt;
    const double fill = double(blob.pixels) / double(box.width() * box.height());
    if (box.height() * 8 < lineHeight)
        return u'.';
    return fill >= bulletFill ? u'\u2022' : u'*';
}

} // namespace

std::optional<QString> read(const QImage &gray, const QRect &area, int lineHeight)
{
    const QRect inside = area.intersected(gray.rect());
    if (inside.isEmpty() || lineHeight <= 0)
        return std::nullopt;
    std::vector<Blob> all = blobs(gray, inside);
    std::sort(all.begin(), all.end(), [](const Blob &a, const Blob &b) { return a.box.left() < b.box.left(); });
    // Marks are small: anything of a letter's height is not a row of marks.
    for (const Blob &blob : all)
        if (blob.box.height() * 2 > lineHeight || blob.pixels < 2)
            return std::nullopt;
    // Blobs that overlap horizontally make one mark (the bars of "=").
    std::vector<Mark> marks;
    std::vector<Blob> group;
    const auto flush = [&]() -> bool {
        if (group.empty())
            return true;
        const auto character = characterOf(group, lineHeight);
        if (!character)
            return false;
        QRect box;
        for (const Blob &blob : group)
            box = box.united(blob.box);
        marks.push_back({ box, *character });
        group.clear();
        return true;
    };
    for (const Blob &blob : all) {
        if (!group.empty() && blob.box.left() > group.back().box.right()) {
            if (!flush())
                return std::nullopt;
        }
        group.push_back(blob);
    }
    if (!flush() || marks.size() < 2)
        return std::nullopt;
    if (std::any_of(marks.begin(), marks.end(), [&](const Mark &m) { return m.character != marks.front().character; }))
        return std::nullopt;
    QString text;
    for (size_t i = 0; i < marks.size(); ++i) {
        if (i > 0) {
            const int gap = marks[i].box.left() - marks[i - 1].box.right() - 1;
            if (gap * 100 > spaceShare * lineHeight)
                text += u' ';
        }
        text += marks[i].character;
    }
    return text;
}

std::optional<QChar> readOne(const QImage &gray, const QRect &area, int lineHeight)
{
    const QRect inside = area.intersected(gray.rect());
    if (inside.isEmpty() || lineHeight <= 0)
        return std::nullopt;
    std::vector<Blob> parts = blobs(gray, inside);
    std::erase_if(parts, [](const Blob &blob) { return blob.pixels < 2; });
    return characterOf(parts, lineHeight);
}

} // namespace kavri::MarkRow
