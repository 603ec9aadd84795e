// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlatformWording.h"

#include <array>
#include <utility>

namespace kavri::PlatformWording {

namespace {

constexpr std::array<std::pair<QStringView, QStringView>, 8> substitutions { {
    { u"System Settings > Privacy & Security > Screen Recording", u"your desktop's privacy settings for screenshots" },
    { u"Kavri needs screen recording permission to capture text from your screen.\n\n"
      u"Grant access in System Settings, then try again.",
        u"Kavri needs permission to capture your screen to read text from it.\n\n"
        u"Allow screenshots for Kavri in your desktop's privacy settings, then try again." },
    { u"Kavri needs screen recording permission to capture text from your screen.\n\n"
      u"Click 'Open System Settings' to grant access, then restart Kavri.",
        u"Kavri needs permission to capture your screen to read text from it.\n\n"
        u"Click 'Open System Settings' to allow screenshots for Kavri, then restart Kavri." },
    { u"Failed to open Messages app with the provided phone number.",
        u"Failed to open a messaging application with the provided phone number." },
    { u"Failed to open FaceTime with the provided phone number.",
        u"Failed to open a calling application with the provided phone number." },
    { u"macOS version: ", u"OS version: " },
    { u"Sound effects require \"Play user interface sound effects\" to be enabled in System Settings > Sound.",
        u"Sound effects require event sounds to be enabled in your desktop's sound settings." },
    { u"Screen OCR for macOS", u"Screen OCR for Linux" },
} };

} // namespace

QString onLinux(QStringView wording)
{
    for (const auto &[original, substitute] : substitutions) {
        if (wording == original)
            return substitute.toString();
    }
    return wording.toString();
}

} // namespace kavri::PlatformWording
