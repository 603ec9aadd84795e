// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QStringList>

#include "LanguageChooser.h"
#include "Outcome.h"

namespace kavri::TextRecognizer {

// Recognises the text in \a gray (see ImagePreparation::boundedGray) with Tesseract's LSTM
// engine and its dictionaries for the languages of \a plan (a language chosen by hand, or the
// one of the plan's languages the text turns out to be in), helped by \a customWords. One line of text per line of the
// result, in reading order; "" when the image holds no text. Uses this thread's warm engine for these languages and
// words, creating it on first use. Fails only when recognition runs far beyond what the image's size explains.
Outcome<QString> recognize(const QImage &gray, const LanguageChooser::Plan &plan, const QStringList &customWords);

} // namespace kavri::TextRecognizer
