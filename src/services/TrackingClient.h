// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <deque>

#include <QObject>
#include <QTimer>
#include <QUrl>

#include "TrackingVisitor.h"

class QNetworkAccessManager;

namespace kavri {

class Clock;
class UserDefaults;
struct HttpResult;

// A client of the Matomo HTTP tracking API: events wait in an in-memory queue (bounded; the
// oldest go first when it is full) and are posted as bulk requests of at most batchSize events,
// every dispatchInterval and on demand. A failed post keeps its events for the next dispatch;
// nothing survives the process. Main thread only.
class TrackingClient : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        QUrl baseUrl;
        QString userAgent;
        TrackingContext context; // dimensions are set with setDimension()
        std::chrono::milliseconds dispatchInterval { 30'000 };
        std::chrono::milliseconds requestTimeout { 5'000 };
        int batchSize = 20;
        int queueLimit = 1000;
    };

    TrackingClient(QNetworkAccessManager &network, UserDefaults &defaults, const Clock &clock, Options options,
        QObject *parent = nullptr);

    // The process's client, posting to AppInfo::statisticsURL().
    static TrackingClient &shared();
    // "Kavri/<version> (Linux; <kernel> <architecture>) KavriTracking/1.0"
    static QString defaultUserAgent(const QString &appVersion);

    // Replaces any earlier value for the index; applies to events tracked from now on.
    void setDimension(int index, const QString &value);
    void trackEvent(const TrackingEvent &event);
    void dispatch();

    qsizetype queuedEventCount() const { return qsizetype(m_queue.size()); }
    bool isDispatching() const { return m_dispatching; }

Q_SIGNALS:
    // A dispatch ended: everything queued was posted, or a post failed.
    void dispatchFinished(bool delivered);

private:
    struct QueuedEvent
    {
        quint64 id;
        QString query;
    };

    void sendNextBatch();
    void batchSent(const std::vector<quint64> &ids, const HttpResult &result);
    void finishDispatch(bool delivered);

    QNetworkAccessManager &m_network;
    const Clock &m_clock;
    Options m_options;
    TrackingVisitor m_visitor;
    std::deque<QueuedEvent> m_queue;
    quint64 m_nextId = 1;
    bool m_dispatching = false;
    QTimer m_dispatchTimer;
};

} // namespace kavri
