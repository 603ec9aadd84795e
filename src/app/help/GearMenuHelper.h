// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QString>
#include <QUrl>

namespace kavri {

// Composes the pre-filled feedback mail of the gear menu's "Contact" entry.
class GearMenuHelper
{
public:
    static GearMenuHelper &shared();

    // A mailto: address to the support address with subject and body filled in; none when no
    // valid URL can be formed.
    std::optional<QUrl> feedbackMailURL() const;
    static std::optional<QUrl> feedbackMailURL(
        const QString &version, const QString &buildNumber, const QString &systemVersion, const QString &address);
};

} // namespace kavri
