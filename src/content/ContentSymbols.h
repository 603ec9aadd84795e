// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

// Names of the symbol images that label fields and actions. The names are part of the model:
// the emoji table and the icon set both key on them.
namespace kavri::Symbol {
inline constexpr QStringView person = u"person.fill";
inline constexpr QStringView building = u"building.2.fill";
inline constexpr QStringView briefcase = u"briefcase.fill";
inline constexpr QStringView phone = u"phone.fill";
inline constexpr QStringView envelope = u"envelope.fill";
inline constexpr QStringView location = u"location.fill";
inline constexpr QStringView link = u"link";
inline constexpr QStringView gift = u"gift.fill";
inline constexpr QStringView note = u"note.text";
inline constexpr QStringView wifi = u"wifi";
inline constexpr QStringView lockClosed = u"lock.fill";
inline constexpr QStringView lockOpen = u"lock.open";
inline constexpr QStringView key = u"key.fill";
inline constexpr QStringView textBubble = u"text.bubble";
inline constexpr QStringView at = u"at";
inline constexpr QStringView subject = u"text.justify.left";
inline constexpr QStringView quote = u"text.quote";
inline constexpr QStringView contactCard = u"person.crop.circle";
inline constexpr QStringView message = u"message.fill";
} // namespace kavri::Symbol
