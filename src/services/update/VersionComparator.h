// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

namespace kavri {

// Orders version strings the way update feeds write them: runs of digits compare as numbers
// ("1.10" after "1.9"), runs of letters as words, case-insensitively; a release comes after its
// pre-releases ("1.2" after "1.2 beta 3", "1.2b3") and an added component makes a version newer
// ("1.0.1" after "1.0"). Spaces and other punctuation only separate components.
// Negative when a is older than b, zero when equal, positive when newer.
int compareVersions(QStringView a, QStringView b);

} // namespace kavri
