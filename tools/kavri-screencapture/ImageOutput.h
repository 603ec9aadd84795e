// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QImage;

namespace kavri {

// Writes \a image to \a path as PNG, all at once: a reader never sees half a file. Logs and
// returns false on failure.
bool writePng(const QImage &image, const QString &path);

} // namespace kavri
