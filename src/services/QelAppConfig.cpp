// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QelAppConfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QSaveFile>
#include <QStandardPaths>

#include "AppConfigLog.h"
#include "BoundedHttp.h"
#include "Clock.h"
#include "PropertyList.h"
#include "QelAppConfigDelegate.h"
#include "platform/AppInfo.h"
#include "platform/UserDefaults.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

std::optional<QVariantMap> readDictionaryFile(const QString &path)
{
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A cache larger than any document we accept is not ours.
    if (file.size() > QelAppConfig::maxDocumentBytes)
        return std::nullopt;
    return PropertyList::readDictionary(file.readAll());
}

QString lastUpdateKeyName()
{
    return QString::fromLatin1(QelAppConfig::lastUpdateKey);
}

} // namespace

QelAppConfig::QelAppConfig(
    const Clock &clock, QNetworkAccessManager &network, UserDefaults &defaults, Options options, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
    , m_network(network)
    , m_defaults(defaults)
    , m_options(std::move(options))
{ }

QelAppConfig::~QelAppConfig() = default;

QelAppConfig &QelAppConfig::shared()
{
    static QelAppConfig *config = [] {
        auto *network = new QNetworkAccessManager(QCoreApplication::instance());
        Options options { AppInfo::serverBase(), AppInfo::appVersion(), applicationSupportFolder() };
        auto *instance = new QelAppConfig(
            SystemClock::instance(), *network, UserDefaults::standard(), options, QCoreApplication::instance());
        instance->setup();
        return instance;
    }();
    return *config;
}

QString QelAppConfig::applicationSupportFolder()
{
    const QString path = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!QFileInfo::exists(path) && !QDir().mkpath(path))
        qCCritical(lcAppConfig, "Failed to create folder %ls: %ls", qUtf16Printable(path),
            qUtf16Printable(u"the folder could not be created"_s));
    return path;
}

QString QelAppConfig::documentName(const QString &appVersion)
{
    QString version = appVersion;
    version.replace(u' ', u'-').replace(u'/', u'-').replace(u'\\', u'-');
    return u"app-config-"_s + version + u".plist"_s;
}

QString QelAppConfig::defaultBuiltInPath()
{
    return u":/kavri/app-config.plist"_s;
}

QUrl QelAppConfig::documentUrl() const
{
    QUrl url(m_options.serverBase);
    // Decoded mode: whatever the version holds beyond spaces is percent-encoded, never read as URL syntax.
    url.setPath(url.path(QUrl::FullyDecoded) + u"/kavri/configurations/"_s + documentName(m_options.appVersion),
        QUrl::DecodedMode);
    return url;
}

QString QelAppConfig::cacheFilePath() const
{
    return m_options.cacheFolder + u'/' + documentName(m_options.appVersion);
}

void QelAppConfig::setup()
{
    m_ready = false;
    loadLocalConfiguration();
    load();
    QMetaObject::invokeMethod(this, &QelAppConfig::checkForUpdatesContinuously, Qt::QueuedConnection);
}

void QelAppConfig::loadLocalConfiguration()
{
    m_configDict = readDictionaryFile(cacheFilePath());
    if (!m_configDict)
        m_configDict = readDictionaryFile(m_options.builtInPath);
}

void QelAppConfig::checkForUpdatesContinuously()
{
    delete m_updateTimer;
    update();
    m_updateTimer = new QTimer(this);
    m_updateTimer->setTimerType(Qt::CoarseTimer);
    m_updateTimer->setInterval(m_options.checkInterval);
    connect(m_updateTimer, &QTimer::timeout, this, &QelAppConfig::update);
    m_updateTimer->start();
}

bool QelAppConfig::killSwitch() const
{
    return !m_ready || (m_configDict && PropertyList::boolValue(m_configDict->value(u"0"_s)));
}

bool QelAppConfig::userOptOut() const
{
    return !m_ready || (m_configDict && PropertyList::boolValue(m_configDict->value(u"1"_s)));
}

std::optional<QString> QelAppConfig::stringValue(QStringView key) const
{
    if (!m_configDict)
        return std::nullopt;
    const QVariant value = m_configDict->value(key.toString());
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

void QelAppConfig::update()
{
    m_updated = false;
    const UserDefaults::Value stored = m_defaults.object(lastUpdateKeyName());
    const auto *last = std::get_if<QDateTime>(&stored);
    const QDateTime now = m_clock.now();
    // A stored date after now comes from a clock that was wrong; it must not hold off downloads.
    if (last && *last <= now && last->toLocalTime().addDays(1) > now)
        return;
    load();
}

void QelAppConfig::load()
{
    if (m_loading) {
        qCDebug(lcAppConfig, "Configuration download already running");
        return;
    }
    m_updated = false;
    m_loading = true;
    const QUrl url = documentUrl();
    qCDebug(lcAppConfig, "Fetching configuration from '%ls'", qUtf16Printable(url.toString()));
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(int(m_options.requestTimeout.count()));
    sendBoundedRequest(m_network, request, std::nullopt, maxDocumentBytes, this,
        [this, url](const HttpResult &result) { finishLoad(url, result); });
}

void QelAppConfig::finishLoad(const QUrl &url, const HttpResult &result)
{
    m_loading = false;
    const QString address = url.toString();
    if (result.tooLarge) {
        qCCritical(lcAppConfig, "Configuration response from '%ls' is larger than %lld bytes", qUtf16Printable(address),
            maxDocumentBytes);
    } else if (result.status != 200) {
        qCCritical(
            lcAppConfig, "Failed loading configuration from '%ls' (HTTP %d)", qUtf16Printable(address), result.status);
    } else if (result.body.isEmpty()) {
        qCCritical(lcAppConfig, "Configuration response from '%ls' contained no data", qUtf16Printable(address));
    } else {
        m_defaults.set(lastUpdateKeyName(), m_clock.now());
        QString error;
        if (std::optional<QVariantMap> document = PropertyList::readDictionary(result.body, &error)) {
            m_configDict = std::move(document);
            saveConfiguration();
            m_updated = true;
            Q_EMIT configurationChanged();
        } else {
            qCCritical(lcAppConfig, "Failed to parse configuration: %ls", qUtf16Printable(error));
        }
    }
    becomeReady();
}

void QelAppConfig::saveConfiguration()
{
    const QString path = cacheFilePath();
    const std::optional<QVariantMap> cached = readDictionaryFile(path);
    const QVariant cachedVersion = cached ? cached->value(u"2"_s) : QVariant();
    const std::optional<QString> newVersion = version();
    if (newVersion && cachedVersion.typeId() == QMetaType::QString && cachedVersion.toString() == *newVersion)
        return;

    qCInfo(lcAppConfig, "Found new configuration update");
    // Replaced in one step: a failed write leaves the previous cache whole.
    QDir().mkpath(m_options.cacheFolder);
    const QByteArray bytes = PropertyList::toXml(*m_configDict);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        qCCritical(lcAppConfig, "Failed to write configuration file '%ls': %ls", qUtf16Printable(path),
            qUtf16Printable(file.errorString()));
        return;
    }
    m_updated = true;
}

void QelAppConfig::becomeReady()
{
    if (m_ready)
        return;
    // Ready before the delegate hears of it, so that it reads the document and not the guard.
    m_ready = true;
    if (m_delegate)
        m_delegate->appConfigDelegateIsReady(*this);
    Q_EMIT ready();
}

} // namespace kavri
