// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTextStream>

#include "TextResults.h"

namespace kavri {

// Kavri's ten worst images, expected beside actual.
void printWorst(QTextStream &out, const TextResults &results);
// Every image Kavri misread, with its expected and actual text, to DIR/<corpus>/<kind>/.
void dumpFailures(QTextStream &out, const QString &directory, const TextResults &results);

} // namespace kavri
