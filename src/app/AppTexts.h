// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "platform/PlatformWording.h"

// The texts of the tray application that the user reads, in one place.
namespace kavri::AppTexts {

inline constexpr QStringView nothingCaptured = u"Nothing captured";
inline constexpr QStringView noTextFound = u"No text found in the selected area";
inline constexpr QStringView noQRCodeFound = u"No QR code found in the selected area";
inline QString permissionPopup()
{
    return PlatformWording::onLinux(u"Kavri needs screen recording permission to capture text from your screen.\n\n"
                                    u"Grant access in System Settings, then try again.");
}

inline constexpr QStringView permissionAlertTitle = u"Screen Recording Permission Required";
inline QString permissionAlertText()
{
    return PlatformWording::onLinux(u"Kavri needs screen recording permission to capture text from your screen.\n\n"
                                    u"Click 'Open System Settings' to grant access, then restart Kavri.");
}
inline constexpr QStringView openSystemSettings = u"Open System Settings";
inline constexpr QStringView later = u"Later";

inline constexpr QStringView captureText = u"Capture Text";
inline constexpr QStringView captureQRCode = u"Capture QR Code";
inline constexpr QStringView settings = u"Settings\u2026";
inline constexpr QStringView quitKavri = u"Quit Kavri";

} // namespace kavri::AppTexts
