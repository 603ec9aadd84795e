// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include "AppcastItem.h"
#include "UserDriver.h"

class QNetworkAccessManager;

namespace kavri {

class UserDefaults;

struct UpdaterOptions
{
    // The running build, compared with the items' versions.
    QString currentVersion;
    // How often scheduled checks run, and the pause after start before a due check runs.
    std::chrono::milliseconds checkInterval = std::chrono::hours(24);
    std::chrono::milliseconds initialDelay = std::chrono::seconds(30);
    // After a failed scheduled check, the next try waits this long (at most checkInterval).
    std::chrono::milliseconds retryDelay = std::chrono::hours(1);
    // The schedule re-reads the clock at least this often, so a suspended machine catches up.
    std::chrono::milliseconds clockRecheck = std::chrono::minutes(15);
    std::chrono::milliseconds requestTimeout = std::chrono::seconds(30);
    qint64 maximumFeedBytes = 2 * 1024 * 1024;
    // "Now"; the system clock when unset.
    std::function<QDateTime()> clock;
};

// The updater's questions to the application and the outcomes it reports; main thread.
class UpdaterDelegate
{
public:
    virtual ~UpdaterDelegate() = default;
    // The feed to read; none means there is nothing to check.
    virtual std::optional<QString> feedURLStringForUpdater() const = 0;
    virtual void updaterDidFindValidUpdate(const AppcastItem &item) = 0;
    virtual void updaterDidNotFindUpdate() = 0;
};

// Checks the feed for a newer build, on the user's request or on a schedule, and hands a found
// update to the user driver. The automatic-check flag, the last successful check and the skipped
// version are kept in the settings store and read from it every time.
//
// Scheduling: with automatic checks on, a check is due one interval after the last one; a due
// check runs initialDelay after start(). A last-check date in the future (a clock set back) counts
// as now. Scheduled checks stay quiet: failures are only logged, skipped versions are not shown.
// A user-initiated check always answers through the driver and shows skipped versions too.
class Updater : public QObject
{
    Q_OBJECT

public:
    Updater(UserDefaults &defaults, UpdaterOptions options, QObject *parent = nullptr);
    ~Updater() override;

    // Neither is owned; both may be null.
    void setDelegate(UpdaterDelegate *delegate) { m_delegate = delegate; }
    void setUserDriver(UserDriver *driver) { m_userDriver = driver; }

    // Starts the schedule (checks the user asks for run at any time).
    void start();
    bool isStarted() const { return m_started; }

    void checkForUpdates();
    void checkForUpdatesInBackground();

    bool automaticallyChecksForUpdates() const;
    void setAutomaticallyChecksForUpdates(bool automatic);
    std::optional<QDateTime> lastUpdateCheckDate() const;
    QString skippedVersion() const;
    // When the next scheduled check runs; none while automatic checks are off or one is running.
    std::optional<QDateTime> nextScheduledCheckDate() const { return m_nextCheck; }
    bool sessionInProgress() const { return m_sessionInProgress; }
    bool checkInProgress() const { return m_checkInProgress; }

Q_SIGNALS:
    void updateFound(const kavri::AppcastItem &item, bool userInitiated);
    void updateNotFound(bool userInitiated);
    void checkFailed(const QString &message, bool userInitiated);

private:
    QDateTime now() const;
    void runCheck(bool userInitiated);
    void feedArrived(const QUrl &feedUrl, const QByteArray &body);
    void checkFailedWith(const QString &message);
    void presentUpdate(const AppcastItem &item, bool userInitiated);
    void finishCheck();
    void scheduleNextCheck();
    void armTimer();
    void timerFired();
    void settingChanged(const QString &key);

    UserDefaults &m_defaults;
    UpdaterOptions m_options;
    QNetworkAccessManager *m_network;
    UpdaterDelegate *m_delegate = nullptr;
    UserDriver *m_userDriver = nullptr;
    QTimer m_timer;
    bool m_started = false;
    bool m_checkInProgress = false;
    bool m_checkUserInitiated = false;
    bool m_sessionInProgress = false;
    quint64 m_session = 0;
    QDateTime m_notBefore;
    std::optional<QDateTime> m_nextCheck;
};

} // namespace kavri
