// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

#include <QDateTime>
#include <QObject>
#include <QTimer>

namespace kavri {

class Clock;
class QelAppConfig;
class TrackingClient;
class UserDefaults;

// Decides which usage events may be sent and hands them to the tracking client. Nothing passes
// while the remote kill switch is on (which it is until the remote configuration is ready);
// the launch and capture events also stop at the user's or the remote opt-out; the daily
// check-in passes the opt-outs but is sent at most once per "TrackerNextPingDate". Refused events
// are dropped silently. Main thread only.
class Tracker : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        QString appVersion; // dimension 1 is "<appVersion> direct"; none when unknown
        QString hardwareModel; // dimension 2
        std::chrono::milliseconds pingInterval { 120'000 };
    };

    static constexpr auto nextPingDateKey = "TrackerNextPingDate";
    static constexpr auto dmiProductNamePath = "/sys/devices/virtual/dmi/id/product_name";

    // Sets the client's dimensions and starts the check-in timer, which attempts one at once.
    Tracker(const QelAppConfig &config, TrackingClient &client, UserDefaults &defaults, const Clock &clock,
        Options options, QObject *parent = nullptr);

    // The process's tracker over QelAppConfig::shared() and TrackingClient::shared().
    static Tracker &shared();
    // The machine's model from the firmware tables, "unknown" when it cannot be read.
    static QString hardwareModel(const QString &path = QString::fromLatin1(dmiProductNamePath));
    // A random moment in the first hour after the local midnight that follows now.
    static QDateTime nextPingDate(const QDateTime &now);

    bool optOut() const { return m_optOut; }
    // The user's "analyticsOptOut" setting; the settings copy it here.
    void setOptOut(bool optOut) { m_optOut = optOut; }

    // true: "app" / "App - Launched"; false: the check-in, "app" / "App - Ping".
    void track(bool launched);
    // Any other event, e.g. "User" / "User - Capture" / "OCR" or "QR" from the capture service.
    void recordEvent(const QString &category, const QString &action, const QString &name);

private:
    bool mayTrack(bool checkIn) const;
    bool pingDue();
    void startPingTimer();

    const QelAppConfig &m_config;
    TrackingClient &m_client;
    UserDefaults &m_defaults;
    const Clock &m_clock;
    Options m_options;
    bool m_optOut = false;
    QTimer m_pingTimer;
};

} // namespace kavri
