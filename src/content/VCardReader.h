// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "ContentKinds.h"

namespace kavri::VCardReader {

// The contact card in \a text, or none when the text has no "BEGIN:VCARD" and "END:VCARD".
// Reads vCard 2.1, 3.0 and 4.0 as phones and mail programs write them: folded lines are joined,
// quoted-printable values decoded in their character set, escapes undone and group prefixes
// ("item1.EMAIL") dropped.
std::optional<VCardContent> read(const QString &text);

} // namespace kavri::VCardReader
