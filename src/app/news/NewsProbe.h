// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

#include <QObject>
#include <QUrl>

class QNetworkAccessManager;

namespace kavri {

// Asks the news page whether it answers before a window is opened for it: only an HTTP 200
// (after redirects) counts. Failures are logged, never shown. Main thread only.
class NewsProbe : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds defaultTimeout { 10000 };

    explicit NewsProbe(
        QNetworkAccessManager &network, std::chrono::milliseconds timeout = defaultTimeout, QObject *parent = nullptr);

    // Sends a GET that bypasses every cache; false (and no request) when url is not an http or
    // https address. Exactly one of answered / failed follows a sent request.
    bool start(const QUrl &url);

Q_SIGNALS:
    void answered(const QUrl &url);
    void failed();

private:
    QNetworkAccessManager &m_network;
    std::chrono::milliseconds m_timeout;
};

} // namespace kavri
