// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NewsProbe.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "platform/Log.h"

using namespace Qt::StringLiterals;

namespace kavri {

NewsProbe::NewsProbe(QNetworkAccessManager &network, std::chrono::milliseconds timeout, QObject *parent)
    : QObject(parent)
    , m_network(network)
    , m_timeout(timeout)
{ }

bool NewsProbe::start(const QUrl &url)
{
    // Anything but a web address (a local file, say) has no business in the news window.
    if (!url.isValid() || (url.scheme() != u"http"_s && url.scheme() != u"https"_s) || url.host().isEmpty()) {
        if (!url.isEmpty())
            qCWarning(
                lcKavri, "Ignoring the news address %ls: not a web address", qUtf16Printable(url.toDisplayString()));
        return false;
    }

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(int(m_timeout.count()));
    QNetworkReply *reply = m_network.get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply, url] {
        reply->deleteLater();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status == 200 && reply->error() == QNetworkReply::NoError) {
            Q_EMIT answered(url);
            return;
        }
        if (reply->error() == QNetworkReply::OperationCanceledError)
            qCWarning(lcKavri, "No news: %ls did not answer within %lld ms", qUtf16Printable(url.toDisplayString()),
                qlonglong(m_timeout.count()));
        else if (status != 0)
            qCWarning(lcKavri, "No news: %ls answered HTTP %d", qUtf16Printable(url.toDisplayString()), status);
        else
            qCWarning(lcKavri, "No news: %ls: %ls", qUtf16Printable(url.toDisplayString()),
                qUtf16Printable(reply->errorString()));
        Q_EMIT failed();
    });
    return true;
}

} // namespace kavri
