// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <limits>
#include <utility>

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace kavri {

struct FetchResult
{
    QByteArray body;
    QString error; // empty on success: a 2xx answer within the limits

    bool ok() const { return error.isEmpty(); }
};

// One HTTP(S) GET that gives up when the answer grows beyond maxBytes or the transfer stalls for
// the timeout. Any other scheme is refused. `done` runs exactly once, on the thread of `context`,
// and not at all when `context` is gone by then.
class CappedFetch : public QObject
{
    Q_OBJECT

public:
    static void get(QNetworkAccessManager &network, const QUrl &url, qint64 maxBytes, std::chrono::milliseconds timeout,
        QObject *context, std::function<void(const FetchResult &)> done);

private:
    CappedFetch(QNetworkReply *reply, qint64 maxBytes, QObject *context, std::function<void(const FetchResult &)> done);
    void take();
    void finish();
    void deliver(const FetchResult &result);

    QNetworkReply *m_reply;
    qint64 m_maxBytes;
    QPointer<QObject> m_context;
    std::function<void(const FetchResult &)> m_done;
    QByteArray m_body;
    bool m_tooLarge = false;
};

} // namespace kavri
