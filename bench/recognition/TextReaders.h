// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "BenchSamples.h"

namespace kavri {

// What one reader made of a corpus.
struct Reader
{
    QString name;
    bool available = false;
    QList<bool> read; // per sample: whether this reader was asked at all
    QStringList texts; // per sample
    QList<double> milliseconds; // per sample; negative when the run was not timed on its own
    double coldMs = -1.0; // the first call of the process (Kavri) or the first process (command line)
    QString timing; // how the times were taken
    int failures = 0;
    QString firstFailure;
};

// Kavri in process, one image at a time, warm: with each sample's own language, or, when
// \a automatic, with no language and on language samples only.
Reader readWithKavri(const QList<TextSample> &samples, bool automatic);

// The tesseract command line: plain (`tesseract IN stdout`) and tuned (the image scaled 2x with a
// Lanczos filter by ImageMagick, then `--psm 6 -l <the sample's language>`). An even spread of
// images runs one process at a time, for the times; the rest run options.jobs at a time.
void readWithTesseract(const QList<TextSample> &samples, const BenchOptions &options, Reader &plain, Reader &tuned);

// "de" -> "de-DE", the settings code Kavri takes.
QString settingsLanguage(const QString &language);

} // namespace kavri
