// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// Buttons and boxes around text. Tesseract reads a box's outline as "|" and "[" or loses the text
// inside it; a tinted button face makes its text faint.
namespace kavri::Frames {

// Turns the light text on the dark, filled faces of \a gray (Format_Grayscale8, dark text on
// light) into dark text on a light face, like the rest. Returns whether there was any.
bool invertFilledFaces(QImage &gray);

// Removes from \a gray (Format_Grayscale8, dark text on light) every thin outline that encloses
// glyphs with room above and below them, together with the face inside it: only the glyphs stay.
// Returns whether there was any.
bool remove(QImage &gray);

} // namespace kavri::Frames
