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

// Renders \a count text images into \a directory (subfolders text/ and text-x2/) with QPainter,
// deterministically: the same count gives the same images on every run.
QList<TextSample> generateTextCorpus(const QString &directory, int count);

} // namespace kavri
