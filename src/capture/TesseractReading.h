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

// One Tesseract call and what it read, word by word.
namespace kavri::TesseractReading {

// Recognises \a image (Format_Grayscale8) in \a api's current page segmentation mode. Fails when
// \a deadline passes first or Tesseract cannot read the image.
Outcome<bool> recognize(tesseract::TessBaseAPI &api, const QImage &image, const QDeadlineTimer &deadline);

// The lines of the last recognition with their words, confidences and boxes, the boxes moved by
// \a offset; lines without words are left out.
QList<RecognizedText::Line> lines(tesseract::TessBaseAPI &api, QPoint offset = {});

} // namespace kavri::TesseractReading
