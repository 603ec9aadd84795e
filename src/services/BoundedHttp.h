// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>

#include <QByteArray>
#include <QNetworkRequest>
#include <QString>

class QNetworkAccessManager;
class QObject;

namespace kavri {

// The outcome of one HTTP exchange. status is 0 when no response arrived.
struct HttpResult
{
    int status = 0;
    QByteArray body;
    // Empty when the exchange completed (whatever its status).
    QString error;
    // The body passed the size limit; the download was cut off there.
    bool tooLarge = false;
};

// Sends one request (GET when body is null, else POST) and reports its outcome exactly once,
// on context's thread (context must not be null; nothing is reported once it is gone). The body is read as it arrives
// and the transfer is aborted as soon as it passes maxBodyBytes, so a huge response is never buffered.
void sendBoundedRequest(QNetworkAccessManager &network, const QNetworkRequest &request,
    const std::optional<QByteArray> &body, qint64 maxBodyBytes, const QObject *context,
    std::function<void(const HttpResult &)> done);

} // namespace kavri
