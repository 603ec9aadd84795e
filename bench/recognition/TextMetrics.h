// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace kavri {

// The text as compared: "\r\n" and "\r" become "\n" and a form feed (the command line's page end)
// is dropped; inside a line, runs of spaces and tabs become one space and the line's ends are
// trimmed; empty lines at the very start and end go. Nothing else changes: case, punctuation and
// blank lines between paragraphs all count.
QString normalizedForComparison(const QString &text);

// Levenshtein distance over Unicode code points.
qsizetype editDistance(const QString &reference, const QString &hypothesis);

// Character error rate pooled over a group: total edits over total reference characters.
struct CerPool
{
    qint64 edits = 0;
    qint64 characters = 0;
    int images = 0;

    void add(qsizetype imageEdits, qsizetype imageCharacters)
    {
        edits += imageEdits;
        characters += imageCharacters;
        ++images;
    }
    double rate() const { return characters > 0 ? double(edits) / double(characters) : 0.0; }
};

// Nearest-rank percentile (0..100) of \a values; 0 for an empty list.
double percentile(QList<double> values, double percent);

// "12.3 ms", "1.24 s"
QString formatMilliseconds(double milliseconds);
// "0.42 %"
QString formatPercent(double fraction, int decimals = 2);

} // namespace kavri
