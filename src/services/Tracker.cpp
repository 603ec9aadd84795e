// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Tracker.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>

#include "Clock.h"
#include "QelAppConfig.h"
#include "TrackingClient.h"
#include "platform/AppInfo.h"
#include "platform/UserDefaults.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

QString pingKey()
{
    return QString::fromLatin1(Tracker::nextPingDateKey);
}

} // namespace

Tracker::Tracker(const QelAppConfig &config, TrackingClient &client, UserDefaults &defaults, const Clock &clock,
    Options options, QObject *parent)
    : QObject(parent)
    , m_config(config)
    , m_client(client)
    , m_defaults(defaults)
    , m_clock(clock)
    , m_options(std::move(options))
{
    const QString version = m_options.appVersion.trimmed();
    if (!version.isEmpty() && version != u"Unknown"_s)
        m_client.setDimension(1, version + u" direct"_s);
    m_client.setDimension(2, m_options.hardwareModel);
    connect(&m_pingTimer, &QTimer::timeout, this, [this] { track(false); });
    startPingTimer();
}

Tracker &Tracker::shared()
{
    static auto *tracker = new Tracker(QelAppConfig::shared(), TrackingClient::shared(), UserDefaults::standard(),
        SystemClock::instance(), { AppInfo::appVersion(), hardwareModel() }, QCoreApplication::instance());
    return *tracker;
}

QString Tracker::hardwareModel(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return u"unknown"_s;
    const QString model = QString::fromUtf8(file.read(256)).simplified();
    return model.isEmpty() ? u"unknown"_s : model;
}

QDateTime Tracker::nextPingDate(const QDateTime &now)
{
    const QDateTime midnight = now.toLocalTime().date().addDays(1).startOfDay();
    auto *random = QRandomGenerator::global();
    return midnight.addSecs(qint64(random->bounded(60)) * 60 + random->bounded(60));
}

void Tracker::startPingTimer()
{
    m_pingTimer.stop();
    track(false);
    m_pingTimer.setInterval(m_options.pingInterval);
    m_pingTimer.setTimerType(Qt::CoarseTimer);
    m_pingTimer.start();
}

bool Tracker::mayTrack(bool checkIn) const
{
    if (m_config.killSwitch())
        return false;
    return checkIn || !(m_optOut || m_config.userOptOut());
}

bool Tracker::pingDue()
{
    const QDateTime now = m_clock.now();
    const UserDefaults::Value stored = m_defaults.object(pingKey());
    if (const auto *next = std::get_if<QDateTime>(&stored)) {
        // Never further ahead than a stored date can be; a later one comes from a wrong clock.
        if (*next >= now && *next <= now.addDays(2))
            return false;
    }
    const QDateTime next = nextPingDate(now);
    if (!next.isValid())
        return false;
    m_defaults.set(pingKey(), next);
    return true;
}

void Tracker::track(bool launched)
{
    if (!mayTrack(!launched) || (!launched && !pingDue()))
        return;
    m_client.trackEvent({ u"app"_s, launched ? u"App - Launched"_s : u"App - Ping"_s, std::nullopt, std::nullopt });
}

void Tracker::recordEvent(const QString &category, const QString &action, const QString &name)
{
    if (!mayTrack(false))
        return;
    m_client.trackEvent({ category, action, name.isEmpty() ? std::nullopt : std::optional(name), std::nullopt });
}

} // namespace kavri
