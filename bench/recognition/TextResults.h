// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QList>
#include <QSize>

#include "BenchSamples.h"
#include "TextMetrics.h"
#include "TextReaders.h"

namespace kavri {

// The readers' texts over one corpus, compared with the truths.
struct TextResults
{
    enum ReaderIndex { kavri = 0, kavriAuto = 1, tuned = 2, plain = 3 };

    QString corpus; // "tune" or "held-out"
    QList<TextSample> samples;
    QList<qsizetype> characters; // of the normalised truth, per sample
    QList<QSize> sizes; // of the image, per sample
    QList<Reader> readers; // in ReaderIndex order
    QList<QList<qsizetype>> edits; // per reader, per sample; empty for a reader not available

    using Member = std::function<bool(const TextSample &)>;

    // Pooled over the samples of \a member that the reader read.
    CerPool pool(int reader, const Member &member) const;
    // How many of them the reader read exactly (after normalising), and how many it read.
    std::pair<int, int> exact(int reader, const Member &member) const;
    bool usable(int reader) const { return readers.at(reader).available && !edits.at(reader).isEmpty(); }
};

// Everything but the images without text and the 4K pages.
bool isScreenText(const TextSample &sample);

} // namespace kavri
