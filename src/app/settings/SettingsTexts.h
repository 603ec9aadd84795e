// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "platform/PlatformWording.h"

// The texts of the settings window that the user reads, in one place.
namespace kavri::SettingsTexts {

inline constexpr QStringView general = u"General";
inline constexpr QStringView shortcuts = u"Shortcuts";
inline constexpr QStringView recognition = u"Recognition";
inline constexpr QStringView updates = u"Updates";
inline constexpr QStringView privacy = u"Privacy";
inline constexpr QStringView about = u"About";

inline constexpr QStringView launchAtLogin = u"Launch at login";
inline constexpr QStringView showNews = u"Show news";
inline constexpr QStringView playSoundEffects = u"Play sound effects";
inline QString soundEffectsCaption()
{
    return PlatformWording::onLinux(u"Sound effects require \"Play user interface sound effects\" to be enabled in "
                                    u"System Settings > Sound.");
}
inline constexpr QStringView menuBarIcon = u"Menu Bar Icon";
inline constexpr QStringView resultPopup = u"Result Popup";
inline constexpr QStringView showResultPopup = u"Show result popup";
inline constexpr QStringView duration = u"Duration:";
inline constexpr QStringView permissions = u"Permissions";
inline constexpr QStringView openScreenRecordingSettings = u"Open Screen Recording Settings";

inline constexpr QStringView globalShortcuts = u"Global Shortcuts";
inline constexpr QStringView captureTextShortcut = u"Capture text:";
inline constexpr QStringView captureQRCodeShortcut = u"Capture QR code:";
inline constexpr QStringView openMenuShortcut = u"Open menu:";
inline constexpr QStringView restoreDefaults = u"Restore Defaults";

inline constexpr QStringView language = u"Language";
inline constexpr QStringView autoDetectLanguage = u"Automatically detect language";
inline constexpr QStringView languagePicker = u"Language:";
inline constexpr QStringView selectedLanguage = u"Selected language";
inline constexpr QStringView languageCaption
    = u"If you know the language of your text in advance, selecting it manually may improve recognition accuracy.";
inline constexpr QStringView customWords = u"Custom Words";
inline constexpr QStringView customWordsLabel = u"Custom words";
inline constexpr QStringView customWordsHint
    = u"Enter words separated by commas to improve recognition of specialized terminology";
inline constexpr QStringView customWordsPlaceholder = u"Add custom words separated by commas";
inline constexpr QStringView customWordsCaption
    = u"Add technical terms, names, or abbreviations that may not be recognized automatically.";

inline constexpr QStringView automaticallyCheck = u"Automatically check for updates";
inline constexpr QStringView includeBeta = u"Include beta versions";
inline constexpr QStringView includeBetaHelp = u"Beta versions always check for beta updates";
inline constexpr QStringView updateAvailable = u"An update is available.";
inline constexpr QStringView upToDate = u"Kavri is up to date.";
inline constexpr QStringView lastChecked = u"Last checked: ";
inline constexpr QStringView never = u"Never";
inline constexpr QStringView checkNow = u"Check Now";

inline constexpr QStringView analytics = u"Analytics";
inline constexpr QStringView sendStatistics = u"Send anonymous usage statistics";
inline constexpr QStringView statisticsCaption
    = u"When enabled, Kavri sends anonymous usage data to help us improve the app. The app always checks in with "
      u"our server once a day to help us understand how many people use Kavri.";
inline constexpr QStringView privacyPolicy = u"Privacy Policy";

inline constexpr QStringView kavri = u"Kavri";
inline QString subtitle()
{
    return PlatformWording::onLinux(u"Screen OCR for macOS");
}
inline constexpr QStringView version = u"Version ";
inline constexpr QStringView visitWebsite = u"Visit Kavri Website";

// Kavri's own menu actions, whose combinations the recorders refuse.
inline constexpr QStringView settingsAction = u"Settings\u2026";
inline constexpr QStringView quitAction = u"Quit Kavri";

} // namespace kavri::SettingsTexts
