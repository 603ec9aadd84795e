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

namespace kavri::PageReader {

// Reads \a image (Format_Grayscale8, dark text on a light background, as ImagePreparation makes
// it; text lines about \a lineHeight pixels high) with \a api: Tesseract lays it out as one block
// of lines, then every line it doubts or skipped (a row of dashes, a lone brace) is read again on
// its own, cut at the height of the text around it, since Tesseract sizes a line by its glyphs.
// Lines in reading order. Fails when \a deadline passes or Tesseract cannot read the image.
Outcome<QList<RecognizedText::Line>> read(
    tesseract::TessBaseAPI &api, const QImage &image, int lineHeight, const QDeadlineTimer &deadline);

// The text blocks of a page-sized \a image in reading order (columns one after another), as
// Tesseract's page layout finds them; the whole image when it finds none.
QList<QRect> textBlocks(tesseract::TessBaseAPI &api, const QImage &image);

} // namespace kavri::PageReader
