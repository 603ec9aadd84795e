// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CappedFetch.h"

#include <QMetaObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace kavri {

void CappedFetch::get(QNetworkAccessManager &network, const QUrl &url, qint64 maxBytes,
    std::chrono::milliseconds timeout, QObject *context, std::function<void(const FetchResult &)> done)
{
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != u"http"_s && scheme != u"https"_s)) {
        const FetchResult refused { {}, u"\"%1\" is not an HTTP address."_s.arg(url.toDisplayString()) };
        // Asynchronous like every other answer, so callers see one order of events.
        QMetaObject::invokeMethod(
            context, [done = std::move(done), refused] { done(refused); }, Qt::QueuedConnection);
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(int(std::min<qint64>(timeout.count(), std::numeric_limits<int>::max())));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    new CappedFetch(network.get(request), maxBytes, context, std::move(done));
}

CappedFetch::CappedFetch(
    QNetworkReply *reply, qint64 maxBytes, QObject *context, std::function<void(const FetchResult &)> done)
    : QObject(reply)
    , m_reply(reply)
    , m_maxBytes(maxBytes)
    , m_context(context)
    , m_done(std::move(done))
{
    connect(reply, &QNetworkReply::metaDataChanged, this, [this] {
        bool known = false;
        const qint64 announced = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        if (known && announced > m_maxBytes) {
            m_tooLarge = true;
            m_reply->abort();
        }
    });
    connect(reply, &QNetworkReply::readyRead, this, &CappedFetch::take);
    connect(reply, &QNetworkReply::finished, this, &CappedFetch::finish);
}

void CappedFetch::take()
{
    // A reply that timed out or was aborted is closed and has nothing more to give.
    if (m_tooLarge || !m_reply->isOpen())
        return;
    m_body += m_reply->readAll();
    if (m_body.size() > m_maxBytes) {
        m_tooLarge = true;
        m_body.clear();
        m_reply->abort();
    }
}

void CappedFetch::finish()
{
    take();
    FetchResult result;
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_tooLarge) {
        result.error = u"The answer from %1 is larger than %2 bytes."_s.arg(m_reply->url().host()).arg(m_maxBytes);
    } else if (status != 0 && (status < 200 || status > 299)) {
        result.error = u"The server answered with HTTP status %1."_s.arg(status);
    } else if (m_reply->error() != QNetworkReply::NoError) {
        result.error = m_reply->error() == QNetworkReply::OperationCanceledError
            ? u"The server did not answer in time."_s
            : m_reply->errorString();
    } else {
        result.body = std::move(m_body);
    }
    deliver(result);
    m_reply->deleteLater();
}

void CappedFetch::deliver(const FetchResult &result)
{
    if (!m_done)
        return;
    auto done = std::exchange(m_done, nullptr);
    if (m_context)
        done(result);
}

} // namespace kavri
