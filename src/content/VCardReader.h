// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "ContentKinds.h"

namespace kavri::VCardReader {

// The contact card in \a text, or none when the text has no "BEGIN:VCARD" and "END:VCARD".
// Reads physical lines as they stand: folded lines are not joined and escapes are kept.
std::optional<VCardContent> read(const QString &text);

} // namespace kavri::VCardReader
