// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalHttpServer.h"

#include <QTcpSocket>

using namespace Qt::StringLiterals;

namespace {

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 204:
        return "No Content";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

// The request in \a buffer once it is complete; headers and body are parsed in place.
bool parseRequest(const QByteArray &buffer, LocalHttpServer::Request &request)
{
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return false;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    request.method = requestLine.value(0);
    request.path = requestLine.value(1);
    request.headers.clear();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
    }
    const qsizetype length = request.headers.value("content-length", "0").toLongLong();
    if (buffer.size() < headerEnd + 4 + length)
        return false;
    request.body = buffer.mid(headerEnd + 4, length);
    return true;
}

} // namespace

LocalHttpServer::LocalHttpServer(QObject *parent)
    : QObject(parent)
{
    if (!m_server.listen(QHostAddress::LocalHost))
        qFatal("LocalHttpServer: cannot listen: %s", qPrintable(m_server.errorString()));
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection())
            serve(socket);
    });
}

QUrl LocalHttpServer::url(const QString &path) const
{
    return QUrl(base() + (path.startsWith(u'/') ? path : u'/' + path));
}

QString LocalHttpServer::base() const
{
    return u"http://127.0.0.1:%1"_s.arg(port());
}

void LocalHttpServer::serve(QTcpSocket *socket)
{
    socket->setParent(this);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        if (socket->property("answered").toBool())
            return;
        QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
        socket->setProperty("buffer", buffer);
        Request request;
        if (!parseRequest(buffer, request))
            return;
        socket->setProperty("answered", true);
        m_requests.append(request);
        Q_EMIT requestReceived(request);
        const Response response = m_handler ? m_handler(request) : Response { 404, "not found", {} };
        if (response.neverAnswer)
            return;
        QByteArray out = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reasonPhrase(response.status)
            + "\r\nContent-Length: " + QByteArray::number(response.body.size()) + "\r\nConnection: close\r\n";
        for (const auto &[name, value] : response.headers)
            out += name + ": " + value + "\r\n";
        out += "\r\n" + response.body;
        socket->write(out);
        socket->disconnectFromHost();
    });
}
