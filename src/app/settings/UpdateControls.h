// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QDateTime>

namespace kavri {

// What the settings window needs of the update checker.
class UpdateControls
{
public:
    virtual ~UpdateControls() = default;

    virtual bool automaticallyChecksForUpdates() const = 0;
    virtual void setAutomaticallyChecksForUpdates(bool value) = 0;
    virtual std::optional<QDateTime> lastUpdateCheckDate() const = 0;
    virtual void checkForUpdates() = 0;
};

} // namespace kavri
