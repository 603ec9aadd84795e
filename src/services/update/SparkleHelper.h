// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>

#include <QDateTime>
#include <QObject>
#include <QPointer>

#include "SparkleHelperDelegate.h"
#include "Updater.h"
#include "UpdaterController.h"
#include "UserDriver.h"

namespace kavri {

class SparkleDelegate;
class UserDefaults;

// The one place Kavri talks to update checking. It creates and starts the updater at
// construction, reads the beta feed beside AppInfo::feedURL(), tells its delegate how each check
// ended, and keeps the gentle reminder: a scheduled check that found an update asks for the
// user's attention (a taskbar entry and a badge on the tray icon) until the user turns to the
// update or its session ends. A check the user started never raises the reminder.
// Main thread only.
class SparkleHelper : public QObject
{
    Q_OBJECT

public:
    explicit SparkleHelper(
        UserDefaults &defaults, UpdaterOptions options = defaultOptions(), QObject *parent = nullptr);
    ~SparkleHelper() override;

    // Created on first use over the standard settings store, kept until the application ends.
    static SparkleHelper *shared();
    // The running build and the standard schedule (daily, first due check 30 s after start).
    static UpdaterOptions defaultOptions();

    // Weak: a QObject delegate is forgotten when it is destroyed; any other must clear itself.
    SparkleHelperDelegate *delegate() const;
    void setDelegate(SparkleHelperDelegate *delegate);

    Updater *updater() const;
    UpdaterController *updaterController() const { return m_updaterController; }
    // The update window and messages; without one, checks reach only the delegate.
    void setUserDriver(std::unique_ptr<UserDriver> driver);

    // User-initiated check (nothing when there is no updater).
    void checkForUpdates();
    // True when there is no updater; writing does nothing then.
    bool automaticallyChecksForUpdates() const;
    void setAutomaticallyChecksForUpdates(bool automatic);
    std::optional<QDateTime> lastUpdateCheckDate() const;

    bool isShowingGentleReminder() const { return m_showingGentleReminder; }

Q_SIGNALS:
    void gentleReminderChanged(bool showing);

private:
    friend class SparkleDelegate;
    void setShowingGentleReminder(bool showing);

    std::unique_ptr<SparkleDelegate> m_sparkleDelegate;
    QPointer<UpdaterController> m_updaterController;
    SparkleHelperDelegate *m_delegate = nullptr;
    QPointer<QObject> m_delegateObject;
    bool m_delegateWasObject = false;
    bool m_showingGentleReminder = false;
};

} // namespace kavri
