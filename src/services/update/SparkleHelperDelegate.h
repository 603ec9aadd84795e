// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kavri {

// Told how each completed update check ended (a failed check tells nothing). Called on the main
// thread, after the check, and only while the delegate is still set.
class SparkleHelperDelegate
{
public:
    virtual ~SparkleHelperDelegate() = default;
    virtual void sparkleHelperDidNotFindUpdate() = 0;
    virtual void sparkleHelperDidFindUpdate() = 0;
};

} // namespace kavri
