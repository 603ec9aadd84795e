// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QTextStream>

#include "BenchSamples.h"

namespace kavri {

// Reads every image of one corpus with Kavri (one at a time, timed; with the language detected
// too, on the language samples) and with the tesseract command line, then prints error rates,
// exact reads, times and throughput for that corpus alone.
void runTextBench(
    const QString &corpus, const QList<TextSample> &samples, const BenchOptions &options, QTextStream &out);

} // namespace kavri
