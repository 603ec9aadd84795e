// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kavri {

class ScreenCaptureEngine;

// The screen capture behind the shared capture service.
ScreenCaptureEngine &sharedScreenCaptureEngine();

} // namespace kavri
