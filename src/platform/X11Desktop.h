// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

struct xcb_connection_t;

// The few X11 facts Kavri needs (shortcuts, the result card), read through Qt's own connection to the X server.
// Everything answers "nothing" (null, 0, false) when Kavri does not run under Qt's xcb platform.
namespace kavri::X11Desktop {

xcb_connection_t *connection();

// The root window of the screen Qt connected to.
quint32 rootWindow(xcb_connection_t *connection);

// 0 when the server cannot make the atom.
quint32 atom(xcb_connection_t *connection, const char *name);

// Whether a compositing manager draws the screen, so that translucent windows really are.
bool compositingManagerRunning();
// Whether a mouse button is held anywhere on the screen, also over other clients' windows.
bool pointerButtonDown();

} // namespace kavri::X11Desktop
