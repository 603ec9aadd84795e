// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QDateTime>
#include <QMap>
#include <QString>

namespace kavri {

class UserDefaults;

// One usage event as the statistics server records it.
struct TrackingEvent
{
    QString category;
    QString action;
    std::optional<QString> name;
    std::optional<double> value;
};

// What every request of one client carries besides the event.
struct TrackingContext
{
    QString siteId;
    QString contentBase; // "http://<application id>"
    QString language;
    QString screenResolution; // "WxH", empty when unknown
    QMap<int, QString> dimensions;
};

// The visitor's identity and visit counters, persisted in the settings store, and the query of
// one event in the tracking API's terms. A new visit is counted with the first event after
// startNewVisit().
class TrackingVisitor
{
public:
    explicit TrackingVisitor(UserDefaults &defaults);

    void startNewVisit() { m_newVisit = true; }
    // "?idsite=...&rec=1&...", every value percent-encoded; time is when the event happened.
    QString query(const TrackingEvent &event, const TrackingContext &context, const QDateTime &time);

    QString visitorId() const;

private:
    QDateTime storedDate(const char *key) const;
    void beginVisit(const QDateTime &time);

    UserDefaults &m_defaults;
    bool m_newVisit = true;
};

} // namespace kavri
