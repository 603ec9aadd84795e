// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QString>

#include "AppcastItem.h"

namespace kavri {

struct UpdateState
{
    // Started by the user ("Check for Updates...", "Check Now"), not by the schedule.
    bool userInitiated = false;
};

// What the user chose for a found update.
enum class UpdateChoice {
    Download,
    RemindLater,
    Skip,
};

// The application's answers to the update user interface, called on the main thread.
class UserDriverDelegate
{
public:
    virtual ~UserDriverDelegate() = default;
    virtual bool supportsGentleScheduledUpdateReminders() const = 0;
    // Before a found update is presented; handleShowingUpdate is false when the interface will
    // not show it by itself.
    virtual void standardUserDriverWillHandleShowingUpdate(
        bool handleShowingUpdate, const AppcastItem &item, const UpdateState &state)
        = 0;
    // The user turned to the update that is shown.
    virtual void standardUserDriverDidReceiveUserAttention(const AppcastItem &item) = 0;
    // The update session ends (any choice, or the window closed).
    virtual void standardUserDriverWillFinishUpdateSession() = 0;
};

// The user interface of update checks. The updater calls it on the main thread; it never blocks.
class UserDriver
{
public:
    virtual ~UserDriver() = default;

    // Not owned; may be null.
    void setDelegate(UserDriverDelegate *delegate) { m_delegate = delegate; }
    UserDriverDelegate *delegate() const { return m_delegate; }

    // Presents a found update. `reply` must be called exactly once with the user's choice (also
    // when the window is closed or the driver is destroyed first).
    virtual void showUpdateFound(
        const AppcastItem &item, const UpdateState &state, std::function<void(UpdateChoice)> reply)
        = 0;
    // The user asked again while an update is presented: bring it to the front.
    virtual void showUpdateInFocus() = 0;
    // A user-initiated check found nothing newer.
    virtual void showUpdateNotFound() = 0;
    // A user-initiated check failed; message says why.
    virtual void showUpdaterError(const QString &message) = 0;

private:
    UserDriverDelegate *m_delegate = nullptr;
};

} // namespace kavri
