// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Clock.h"

namespace kavri {

const SystemClock &SystemClock::instance()
{
    static const SystemClock clock;
    return clock;
}

} // namespace kavri
