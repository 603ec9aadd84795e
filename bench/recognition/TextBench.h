// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QTextStream>

#include "BenchSamples.h"

namespace kavri {

// Reads every text image with Kavri (one at a time, timed) and with the tesseract command line,
// then prints the error rates and times.
void runTextBench(const QList<TextSample> &samples, const BenchOptions &options, QTextStream &out);

} // namespace kavri
