// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

namespace kavri {

// The desktop's screen-capture sound ("screen-capture", else "camera-shutter") from the sound
// theme, played through libcanberra, which honours the desktop's event-sounds switch. Not being
// able to play it (no sound server, no theme) is never an error.
namespace CaptureSound {

// Returns at once; the sound is started and plays on in the background.
void start();

// Starts the sound and waits until it has ended, at most \a longest; for a process that exits
// right after and would otherwise cut the sound off. False when it could not be played.
bool playToEnd(std::chrono::milliseconds longest);

} // namespace CaptureSound

} // namespace kavri
