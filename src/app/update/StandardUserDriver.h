// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QMessageBox>
#include <QObject>
#include <QPointer>

#include "UpdateAlert.h"
#include "services/update/UserDriver.h"

class QNetworkAccessManager;

namespace kavri {

// Kavri's update windows: the update alert with its release notes, "Kavri is up to date." and the
// failure of a check the user started. Nothing here blocks: every window is shown with show() and
// reports back through signals. An update found by the schedule is shown without taking the focus
// when gentle reminders are supported; the user turning to it (clicking or typing in it, or asking
// for updates again) ends the reminder.
class StandardUserDriver : public QObject, public UserDriver
{
    Q_OBJECT

public:
    // currentVersion is shown beside the new one.
    explicit StandardUserDriver(QString currentVersion = defaultCurrentVersion(), QObject *parent = nullptr);
    ~StandardUserDriver() override;

    static QString defaultCurrentVersion();

    // Where "Download" and links in the release notes go; Workspace::openUrl by default.
    void setUrlOpener(std::function<bool(const QUrl &)> opener) { m_openUrl = std::move(opener); }

    // The windows while they are open (null otherwise).
    UpdateAlert *updateAlert() const { return m_alert; }
    QMessageBox *messageBox() const { return m_message; }

    void showUpdateFound(
        const AppcastItem &item, const UpdateState &state, std::function<void(UpdateChoice)> reply) override;
    void showUpdateInFocus() override;
    void showUpdateNotFound() override;
    void showUpdaterError(const QString &message) override;

Q_SIGNALS:
    // The release notes are in the alert (fetched, from the item, or the notice that they failed).
    void releaseNotesShown();

private:
    void loadReleaseNotes(const AppcastItem &item);
    void finishSession(UpdateChoice choice);
    void download(const AppcastItem &item);
    void showMessage(QMessageBox::Icon icon, const QString &text, const QString &informativeText);

    QString m_currentVersion;
    QNetworkAccessManager *m_network;
    std::function<bool(const QUrl &)> m_openUrl;
    QPointer<UpdateAlert> m_alert;
    QPointer<QMessageBox> m_message;
    std::function<void(UpdateChoice)> m_reply;
    bool m_awaitingAttention = false;
};

} // namespace kavri
