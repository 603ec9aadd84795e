// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGui/qwindowdefs.h>

namespace kavri {

// Gives the keyboard back to the window that had it before a card took it, so that a card never
// keeps the focus once it has gone. X11 only: the window manager's active window is remembered
// when a card appears and reactivated when the card closes while still active. Elsewhere the
// compositor returns the focus itself, and this does nothing.
class FocusReturn
{
public:
    // Before a card is shown. When it replaces \a replacedCard, which still has the focus, the
    // window remembered for that card is kept.
    void remember(WId replacedCard = 0);
    // Before \a card is hidden: if it is still the active window, the remembered one is asked
    // to become active again. Forgets it either way.
    void restore(WId card);

    WId rememberedWindow() const { return m_previous; }

private:
    WId m_previous = 0;
};

} // namespace kavri
