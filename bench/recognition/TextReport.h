// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTextStream>

#include "TextResults.h"

namespace kavri {

// Error rates and exact reads by kind, with the goals beside them.
void printKindTable(QTextStream &out, const TextResults &results);
// Pooled CER by the text's pixel size (CSS pixels), screen text only.
void printSizeTable(QTextStream &out, const TextResults &results);
// German and French: Kavri with the right language beside Kavri detecting it.
void printLanguageTable(QTextStream &out, const TextResults &results);
// Time per image: warm Kavri, a typical 800x200 selection, the 4K page, the command line.
void printTimes(QTextStream &out, const TextResults &results);

} // namespace kavri
