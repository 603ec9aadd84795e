// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include "BenchSamples.h"

namespace kavri {

// Renders the code images into \a directory (subfolder codes/) with ZXing's writer and QPainter,
// deterministically: about 300 images, or about a tenth of them when \a quick.
QList<CodeSample> generateCodeCorpus(const QString &directory, bool quick);

} // namespace kavri
