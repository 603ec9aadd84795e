// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrackingClient.h"

#include <algorithm>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QScreen>
#include <QSysInfo>

#include "BoundedHttp.h"
#include "Clock.h"
#include "platform/AppInfo.h"
#include "platform/Log.h"
#include "platform/UserDefaults.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

// The server answers a bulk post with a short JSON status; nothing larger is read.
constexpr qint64 maxResponseBytes = 64 * 1024;

QString screenResolution()
{
    const auto *gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    const QScreen *screen = gui ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen)
        return {};
    const QSize size = screen->size() * screen->devicePixelRatio();
    return QString::asprintf("%1.0fx%1.0f", double(size.width()), double(size.height()));
}

} // namespace

TrackingClient::TrackingClient(
    QNetworkAccessManager &network, UserDefaults &defaults, const Clock &clock, Options options, QObject *parent)
    : QObject(parent)
    , m_network(network)
    , m_clock(clock)
    , m_options(std::move(options))
    , m_visitor(defaults)
{
    m_dispatchTimer.setSingleShot(true);
    m_dispatchTimer.setInterval(m_options.dispatchInterval);
    connect(&m_dispatchTimer, &QTimer::timeout, this, &TrackingClient::dispatch);
    m_dispatchTimer.start();
}

TrackingClient &TrackingClient::shared()
{
    static TrackingClient *client = [] {
        auto *network = new QNetworkAccessManager(QCoreApplication::instance());
        Options options;
        options.baseUrl = AppInfo::statisticsURL();
        options.userAgent = defaultUserAgent(AppInfo::appVersion());
        options.context.siteId = u"3"_s;
        options.context.contentBase = u"http://io.github.kavri.Kavri"_s;
        options.context.language = QLocale::system().name().replace(u'_', u'-');
        options.context.screenResolution = screenResolution();
        return new TrackingClient(
            *network, UserDefaults::standard(), SystemClock::instance(), options, QCoreApplication::instance());
    }();
    return *client;
}

QString TrackingClient::defaultUserAgent(const QString &appVersion)
{
    return u"Kavri/%1 (Linux; %2 %3) KavriTracking/1.0"_s.arg(
        appVersion, QSysInfo::kernelVersion(), QSysInfo::currentCpuArchitecture());
}

void TrackingClient::setDimension(int index, const QString &value)
{
    m_options.context.dimensions.insert(index, value);
}

void TrackingClient::trackEvent(const TrackingEvent &event)
{
    while (qsizetype(m_queue.size()) >= std::max(1, m_options.queueLimit))
        m_queue.pop_front();
    m_queue.push_back({ m_nextId++, m_visitor.query(event, m_options.context, m_clock.now()) });
}

void TrackingClient::dispatch()
{
    if (m_dispatching) {
        qCDebug(lcKavri, "MatomoTracker is already dispatching.");
        return;
    }
    if (m_queue.empty()) {
        qCDebug(lcKavri, "No need to dispatch. Dispatch queue is empty.");
        m_dispatchTimer.start();
        return;
    }
    qCDebug(lcKavri, "Start dispatching events");
    m_dispatching = true;
    m_dispatchTimer.stop();
    sendNextBatch();
}

void TrackingClient::sendNextBatch()
{
    if (m_queue.empty()) {
        qCDebug(lcKavri, "Finished dispatching events");
        finishDispatch(true);
        return;
    }
    std::vector<quint64> ids;
    QJsonArray requests;
    for (const QueuedEvent &event : m_queue) {
        if (qsizetype(ids.size()) >= std::max(1, m_options.batchSize))
            break;
        ids.push_back(event.id);
        requests.append(event.query);
    }
    const QByteArray body = QJsonDocument(QJsonObject { { u"requests"_s, requests } }).toJson(QJsonDocument::Compact);

    QNetworkRequest request(m_options.baseUrl);
    request.setHeader(QNetworkRequest::ContentTypeHeader, u"application/json; charset=utf-8"_s);
    request.setHeader(QNetworkRequest::UserAgentHeader, m_options.userAgent);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(int(m_options.requestTimeout.count()));
    sendBoundedRequest(m_network, request, body, maxResponseBytes, this,
        [this, ids](const HttpResult &result) { batchSent(ids, result); });
}

void TrackingClient::batchSent(const std::vector<quint64> &ids, const HttpResult &result)
{
    // Only a 2xx answer means the server took the events; anything else keeps them for later.
    if (result.status < 200 || result.status > 299) {
        const QString error = !result.error.isEmpty() ? result.error : u"HTTP %1"_s.arg(result.status);
        qCWarning(lcKavri, "Failed dispatching events with error %ls", qUtf16Printable(error));
        finishDispatch(false);
        return;
    }
    // By id, not by position: the queue bound may have dropped some while the post was out.
    std::erase_if(
        m_queue, [&ids](const QueuedEvent &event) { return std::find(ids.begin(), ids.end(), event.id) != ids.end(); });
    qCDebug(lcKavri, "Dispatched batch of %d events.", int(ids.size()));
    sendNextBatch();
}

void TrackingClient::finishDispatch(bool delivered)
{
    m_dispatching = false;
    m_dispatchTimer.start();
    Q_EMIT dispatchFinished(delivered);
}

} // namespace kavri
