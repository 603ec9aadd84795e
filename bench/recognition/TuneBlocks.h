// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRandomGenerator>
#include <QStringList>

// Multi-line texts of the tune corpus, made from the hand-written word lists.
namespace kavri::tune {

// Indented source code with brace-only lines ("{", "}", "};") and "// ---" rulers.
QStringList codeBlock(QRandomGenerator &random);
// Text with punctuation-only lines, bullets, numbering and table pipes.
QStringList separatorLines(QRandomGenerator &random);
// Sentences with addresses right before punctuation, in brackets, at line ends, and curly quotes.
QStringList linkLines(QRandomGenerator &random);
// A German ("de") or French ("fr") paragraph or row of labels.
QStringList languageLines(const QString &language, QRandomGenerator &random);
// One short label: a word, a button caption, a price or a name.
QString wordLabel(QRandomGenerator &random);

} // namespace kavri::tune
