// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Shared pieces of the background-service tests: a clock the test moves, a network manager that
// counts the requests it starts, and plist documents.
#pragma once

#include <QNetworkAccessManager>
#include <QUrlQuery>

#include "services/Clock.h"
#include "services/PropertyList.h"

class ManualClock : public kavri::Clock
{
public:
    explicit ManualClock(QDateTime now)
        : m_now(std::move(now))
    { }
    QDateTime now() const override { return m_now; }
    void advance(qint64 seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};

class CountingNetwork : public QNetworkAccessManager
{
public:
    int started = 0;

protected:
    QNetworkReply *createRequest(Operation op, const QNetworkRequest &request, QIODevice *data) override
    {
        ++started;
        return QNetworkAccessManager::createRequest(op, request, data);
    }
};

inline QByteArray configDocument(bool killSwitch, bool optOut, const QString &version)
{
    using namespace Qt::StringLiterals;
    return kavri::PropertyList::toXml({ { u"0"_s, killSwitch }, { u"1"_s, optOut }, { u"2"_s, version } });
}
