// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QStringList>

#include "Outcome.h"
#include "RecognizedText.h"

// Automatic language: which of the installed languages the text on the screen is in.
namespace kavri::LanguageChooser {

// The Tesseract languages to read with ("deu", "eng"; several read as "deu+eng").
struct Plan
{
    QStringList primary; // read first: a language chosen by hand, or the user's own with English
    QList<QStringList> alternatives; // other installed languages, tried when the primary does not fit
};

struct Choice
{
    QStringList languages;
    QList<RecognizedText::Line> lines; // the reading in those languages
};

using Read = std::function<Outcome<QList<RecognizedText::Line>>(const QStringList &languages)>;

// The plan for automatic detection: the user's own language (from \a locale, "de_AT") with
// English first, then every other installed language of everyday text in the Latin script, one
// at a time. Data for historic scripts and vertical text, script data and orientation data are
// never guessed.
Plan automaticPlan(const QString &locale, const QStringList &installed);

// Reads with the plan's primary languages. When an alternative's dictionary knows words of that
// reading the primary's does not, more than the other way round, reads again in the best such
// alternative and keeps its reading if its dictionary knows it at least as well. English text
// under an English locale is read once.
Outcome<Choice> choose(const Plan &plan, const QStringList &customWords, const Read &read);

// The share of the letters of \a lines that are in words of the dictionary, 0..1; none when
// the lines hold no word with letters.
std::optional<double> dictionaryCoverage(const QList<RecognizedText::Line> &lines);

} // namespace kavri::LanguageChooser
