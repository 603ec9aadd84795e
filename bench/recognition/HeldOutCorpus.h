// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QTextStream>

#include "BenchSamples.h"

namespace kavri {

// The held-out corpus: HTML pages written here, rendered by headless Chromium with other fonts,
// sizes, layouts, themes and text sources than the tune corpus (prose and code from the files of
// this machine), partly as JPEG and at device scale 2. Only ever measured, never tuned on.
//
// Pages and crops are kept in \a directory/held-out and reused while the page's HTML is unchanged.
// Without Chromium, prints one line and returns no samples.
QList<TextSample> generateHeldOutCorpus(const QString &directory, bool quick, QTextStream &out);

} // namespace kavri
