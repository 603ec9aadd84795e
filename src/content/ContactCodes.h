// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QString>

// The short contact codes of business cards and phones: MECARD ("MECARD:N:Doe,John;TEL:...;;")
// and BIZCARD ("BIZCARD:N:John;X:Doe;...;;").
namespace kavri::ContactCodes {

// The vCard 3.0 that says what the code says; none when \a text is neither kind of code or names
// nothing. Backslash escapes in the code are undone.
std::optional<QString> asVCard(const QString &text);

} // namespace kavri::ContactCodes
