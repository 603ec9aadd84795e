// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

// Every text the content model shows to the user, in one place.
namespace kavri::ContentTexts {
inline constexpr QStringView copiedToClipboard = u"Copied to clipboard";
inline constexpr QStringView passwordCopied = u"Password copied to clipboard";
inline constexpr QStringView networkNameCopied = u"Network name copied to clipboard";
inline constexpr QStringView openNetwork = u"Open";
inline constexpr QStringView contactMenu = u"Contact\u2026";
inline constexpr QStringView addToContacts = u"Add to Contacts";
inline constexpr QStringView saveToFile = u"Save to File\u2026";
inline constexpr QStringView sendMessage = u"Send Message";
inline constexpr QStringView sendEmail = u"Send Email";
inline constexpr QStringView callMenu = u"Call\u2026";
inline constexpr QStringView call = u"Call";
inline constexpr QStringView copyNumber = u"Copy Number";
inline constexpr QStringView openURL = u"Open URL";
inline constexpr QStringView openURLMenu = u"Open URL\u2026";
// %1 is the number of links.
inline constexpr QStringView openAllCount = u"Open All (%1)";
} // namespace kavri::ContentTexts
