// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kavri {

// Whether this session lets Kavri capture the screen at all. On Linux there is no per-app
// screen-recording switch: capture is possible when an X11 display is reachable, or on Wayland
// when the desktop offers the screenshot portal (whose own dialog is the consent prompt).
class ScreenAccess
{
public:
    virtual ~ScreenAccess() = default;
    // Empty when the screen can be captured, else why not. Safe to call from any thread.
    virtual QString unavailableReason() const = 0;
    // Asks the desktop to let Kavri capture the screen; nothing to ask for on X11.
    virtual void requestAccess() const { }
};

} // namespace kavri
