// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QTextStream>

#include "BenchSamples.h"

namespace kavri {

// Reads every code image with Kavri (one at a time, timed), ZXingReader and zbarimg, then prints
// the exact decode rates, the linear codes reported and Kavri's times.
void runCodeBench(const QList<CodeSample> &samples, const BenchOptions &options, QTextStream &out);

} // namespace kavri
