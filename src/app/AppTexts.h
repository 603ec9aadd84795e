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

// Kavri's window in the tray.
namespace MenuBar {
inline constexpr QStringView settings = u"Settings...";
inline constexpr QStringView import = u"Import";
inline constexpr QStringView lastCaptured = u"Last Captured";
inline constexpr QStringView more = u"More...";
inline constexpr QStringView copyPassword = u"Copy Password";
inline constexpr QStringView copyToClipboard = u"Copy to Clipboard";
inline constexpr QStringView showPopup = u"Show Popup";
inline constexpr QStringView clear = u"Clear";
inline constexpr QStringView checkForUpdates = u"Check for Updates...";
inline constexpr QStringView aboutKavri = u"About Kavri";
inline constexpr QStringView support = u"Support";
inline constexpr QStringView visitWebsite = u"Visit Website";
inline constexpr QStringView faq = u"FAQ";
inline constexpr QStringView contact = u"Contact";
} // namespace MenuBar

namespace Import {
inline constexpr QStringView fromClipboard = u"Import from Clipboard";
inline constexpr QStringView fromFile = u"Import from File\u2026";
inline constexpr QStringView chooseImage = u"Import Image";
inline constexpr QStringView imageFiles = u"Images (*.png *.jpg *.jpeg *.webp *.bmp *.gif *.tif *.tiff)";
inline QString unreadableFile(const QString &fileName, const QString &reason)
{
    return QStringLiteral("Could not open \u201c%1\u201d: %2").arg(fileName, reason);
}
} // namespace Import

} // namespace kavri::AppTexts
