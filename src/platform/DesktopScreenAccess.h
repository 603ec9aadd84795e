// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScreenAccess.h"

namespace kavri {

// The running session: X11 through Qt's xcb platform, or Wayland's screenshot portal on the
// session bus.
class DesktopScreenAccess : public ScreenAccess
{
public:
    QString unavailableReason() const override;
};

} // namespace kavri
