// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include "BenchSamples.h"

namespace kavri {

// The fonts the corpus uses. Families missing from fontconfig are loaded from their files if
// fc-match finds them; the returned list names the families that cannot be had at all.
QStringList ensureCorpusFonts();

// Renders the tune corpus into \a directory/tune with QPainter, deterministically: every run
// gives the same images. The recognition pipeline is tuned on these.
QList<TextSample> generateTextCorpus(const QString &directory, bool quick);

} // namespace kavri
