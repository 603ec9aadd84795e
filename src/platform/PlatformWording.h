// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kavri::PlatformWording {

// Kavri's texts were first written for another desktop. Where one names a place or a program
// that only exists there, it goes through here and comes out as its Linux counterpart; every
// such substitution is in the table in PlatformWording.cpp. Wording not in the table comes back
// unchanged.
QString onLinux(QStringView wording);

} // namespace kavri::PlatformWording
