// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoundedHttp.h"

#include <memory>

#include <QNetworkAccessManager>
#include <QNetworkReply>

using namespace Qt::StringLiterals;

namespace kavri {

void sendBoundedRequest(QNetworkAccessManager &network, const QNetworkRequest &request,
    const std::optional<QByteArray> &body, qint64 maxBodyBytes, const QObject *context,
    std::function<void(const HttpResult &)> done)
{
    QNetworkReply *reply = body ? network.post(request, *body) : network.get(request);
    auto result = std::make_shared<HttpResult>();

    const auto overLimit = [reply, result, maxBodyBytes](qint64 size) {
        if (size <= maxBodyBytes || result->tooLarge)
            return;
        result->tooLarge = true;
        result->body.clear();
        reply->abort();
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, overLimit] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid())
            overLimit(length.toLongLong());
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, result, overLimit] {
        if (result->tooLarge)
            return;
        result->body += reply->readAll();
        overLimit(result->body.size());
    });
    QObject::connect(reply, &QNetworkReply::finished, context, [reply, result, done = std::move(done)] {
        reply->deleteLater();
        if (!result->tooLarge) {
            if (reply->isOpen())
                result->body += reply->readAll();
            if (reply->error() != QNetworkReply::NoError && reply->error() < QNetworkReply::ContentAccessDenied)
                result->error = reply->errorString(); // no HTTP answer (errors 1-99: network level)
        }
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        result->status = result->error.isEmpty() && status.isValid() ? status.toInt() : 0;
        done(*result);
    });
}

} // namespace kavri
