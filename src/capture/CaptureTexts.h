// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "platform/PlatformWording.h"

// Every text the capture pipeline shows to the user, in one place.
namespace kavri::CaptureTexts {
inline constexpr QStringView recognitionFailedPrefix = u"Recognition failed: ";
inline constexpr QStringView unexpectedlyFoundNil = u"Unexpectedly found nil";
inline constexpr QStringView cancelled = u"Screen capture was cancelled";
inline constexpr QStringView captureFailed = u"Failed to capture the screen region";
inline constexpr QStringView noImageInPasteboard = u"No image found in clipboard after capture";
inline constexpr QStringView imageConversionFailed = u"Failed to process the captured image";
inline constexpr QStringView noTextFound = u"No text was found in the selected area";
inline constexpr QStringView noBarcodeFound = u"No QR code or barcode was found in the selected area";
inline QString permissionDenied()
{
    return u"Screen recording permission is required. Please enable it in "
        + PlatformWording::onLinux(u"System Settings > Privacy & Security > Screen Recording");
}

inline constexpr QStringView clipboardEmpty = u"Clipboard is empty";
inline constexpr QStringView clipboardHasNoImage = u"Clipboard does not contain an image";
inline constexpr QStringView clipboardImageUnreadable = u"Failed to process the image from clipboard";
} // namespace kavri::CaptureTexts
