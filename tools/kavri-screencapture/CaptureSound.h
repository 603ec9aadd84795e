// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kavri {

// Plays the desktop's screen-capture sound ("screen-capture", else "camera-shutter") through the
// sound theme, honouring the desktop's event-sounds switch, and waits for it to finish (at most
// a couple of seconds). Returns false when no sound could be played; that is never an error.
bool playCaptureSound();

} // namespace kavri
