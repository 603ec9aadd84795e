// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>

#include "Updater.h"
#include "UserDriver.h"

namespace kavri {

class SparkleHelper;

// SparkleHelper's answers to the updater and to the update interface.
class SparkleDelegate : public UpdaterDelegate, public UserDriverDelegate
{
public:
    QPointer<SparkleHelper> helper;

    std::optional<QString> feedURLStringForUpdater() const override;
    void updaterDidFindValidUpdate(const AppcastItem &item) override;
    void updaterDidNotFindUpdate() override;

    bool supportsGentleScheduledUpdateReminders() const override { return true; }
    void standardUserDriverWillHandleShowingUpdate(
        bool handleShowingUpdate, const AppcastItem &item, const UpdateState &state) override;
    void standardUserDriverDidReceiveUserAttention(const AppcastItem &item) override;
    void standardUserDriverWillFinishUpdateSession() override;
};

} // namespace kavri
