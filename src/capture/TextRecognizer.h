// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QStringList>

#include "Outcome.h"

namespace kavri::TextRecognizer {

// Recognises the text in \a gray (see ImagePreparation::boundedGray) with Tesseract's LSTM
// engine and its dictionaries for \a tesseractLanguages ("eng", "deu", ...), helped by
// \a customWords. One line of text per line of the result, in reading order; "" when the image
// holds no text. Uses this thread's warm engine for these languages and words, creating it on
// first use. Fails after a deadline of 10 s.
Outcome<QString> recognize(const QImage &gray, const QStringList &tesseractLanguages, const QStringList &customWords);

// The custom-words file that this thread's engine for these languages and words was started
// with; empty when there is none (no words, or no engine yet). For checks, not for recognition.
QString customWordsFile(const QStringList &tesseractLanguages, const QStringList &customWords);

} // namespace kavri::TextRecognizer
