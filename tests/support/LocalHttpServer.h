// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QTcpServer>
#include <QUrl>

// A real HTTP/1.1 server on 127.0.0.1 for tests: one request per connection, answered by the
// handler. Unhandled requests get 404.
class LocalHttpServer : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QByteArray method;
        QByteArray path; // with the query
        QHash<QByteArray, QByteArray> headers; // lower-case names
        QByteArray body;
    };
    struct Response
    {
        int status = 200;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
        // Accept the request and never answer, for timeouts.
        bool neverAnswer = false;
    };
    using Handler = std::function<Response(const Request &)>;

    explicit LocalHttpServer(QObject *parent = nullptr);

    void setHandler(Handler handler) { m_handler = std::move(handler); }
    QUrl url(const QString &path) const;
    // "http://127.0.0.1:PORT", for KAVRI_SERVER_BASE.
    QString base() const;
    quint16 port() const { return m_server.serverPort(); }
    const QList<Request> &requests() const { return m_requests; }
    void clearRequests() { m_requests.clear(); }

Q_SIGNALS:
    void requestReceived(const LocalHttpServer::Request &request);

private:
    void serve(QTcpSocket *socket);

    QTcpServer m_server;
    Handler m_handler;
    QList<Request> m_requests;
};
