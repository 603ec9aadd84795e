// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QTextStream>

#include "BenchSamples.h"

namespace kavri {

// Whole processes on the same files: `kavri recognize --text FILES...` (the real executable,
// which reads its files in parallel) against one `tesseract FILE stdout` after another. Prints
// images per second for both and their ratio. The quick loop uses fewer images.
void printThroughput(QTextStream &out, const QString &corpus, const QList<TextSample> &samples, bool quick);

} // namespace kavri
