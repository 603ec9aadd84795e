// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QImage>
#include <QString>

// Rows of repeated marks ("* * *", "- - -", "=====" in a fixed-width font), which Tesseract's
// line model reads poorly: a line of them alone carries no text to size it by.
namespace kavri::MarkRow {

// The marks in \a area of \a gray (dark on light) when the area holds nothing but two or more
// separate marks of one kind: stars, bullets, dots, dashes or equals signs, a space between two
// marks where the gap is wider than a mark. \a lineHeight is the height of a line of text
// nearby. None for anything else: letters, a single mark, one unbroken rule.
std::optional<QString> read(const QImage &gray, const QRect &area, int lineHeight);

// The mark in \a area when it holds one: a bullet (a filled round dot), a star, a dot, a dash or
// an equals sign, as read() tells them apart. None for anything else.
std::optional<QChar> readOne(const QImage &gray, const QRect &area, int lineHeight);

} // namespace kavri::MarkRow
