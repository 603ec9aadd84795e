// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDeadlineTimer>
#include <QImage>

#include "Outcome.h"
#include "RecognizedText.h"

namespace tesseract {
class TessBaseAPI;
}

// A second look at what Tesseract doubted or passed over on a block of text. Tesseract sizes a
// line by its own glyphs, so a line of nothing but marks ("}", "---", "* * *") is read at the
// wrong size, or dropped from the page as speckle.
namespace kavri::DoubtfulLines {

// \a lines, as read from \a image (dark on light, lines about \a lineHeight pixels high), with
// each line Tesseract doubts read again on its own at the height of the lines around it (kept
// when it is surer the second time), and rows of marks it passed over added in their place.
// A page of doubts is left as it is: noise is not text with a few rules in it.
Outcome<QList<RecognizedText::Line>> readAgain(tesseract::TessBaseAPI &api, const QImage &image,
    QList<RecognizedText::Line> lines, int lineHeight, const QDeadlineTimer &deadline);

} // namespace kavri::DoubtfulLines
