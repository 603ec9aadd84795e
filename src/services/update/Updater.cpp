// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Updater.h"

#include <QNetworkAccessManager>

#include "AppcastReader.h"
#include "CappedFetch.h"
#include "VersionComparator.h"
#include "platform/Log.h"
#include "platform/UserDefaults.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

const QString automaticChecksKey = u"SUEnableAutomaticChecks"_s;
const QString lastCheckKey = u"SULastCheckTime"_s;
const QString skippedVersionKey = u"SUSkippedVersion"_s;

} // namespace

Updater::Updater(UserDefaults &defaults, UpdaterOptions options, QObject *parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_options(std::move(options))
    , m_network(new QNetworkAccessManager(this))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &Updater::timerFired);
    connect(&m_defaults, &UserDefaults::changed, this, &Updater::settingChanged);
}

Updater::~Updater() = default;

QDateTime Updater::now() const
{
    return m_options.clock ? m_options.clock() : QDateTime::currentDateTimeUtc();
}

void Updater::start()
{
    if (m_started)
        return;
    m_started = true;
    m_notBefore = now().addMSecs(m_options.initialDelay.count());
    scheduleNextCheck();
}

void Updater::checkForUpdates()
{
    runCheck(true);
}

void Updater::checkForUpdatesInBackground()
{
    runCheck(false);
}

bool Updater::automaticallyChecksForUpdates() const
{
    const UserDefaults::Value value = m_defaults.object(automaticChecksKey);
    if (const bool *flag = std::get_if<bool>(&value))
        return *flag;
    return true;
}

void Updater::setAutomaticallyChecksForUpdates(bool automatic)
{
    m_defaults.set(automaticChecksKey, automatic);
    scheduleNextCheck();
}

std::optional<QDateTime> Updater::lastUpdateCheckDate() const
{
    const UserDefaults::Value value = m_defaults.object(lastCheckKey);
    if (const QDateTime *date = std::get_if<QDateTime>(&value); date && date->isValid())
        return *date;
    return std::nullopt;
}

QString Updater::skippedVersion() const
{
    const UserDefaults::Value value = m_defaults.object(skippedVersionKey);
    const QString *version = std::get_if<QString>(&value);
    return version ? *version : QString();
}

void Updater::runCheck(bool userInitiated)
{
    if (m_sessionInProgress) {
        // One update window at a time: asking again brings it forward.
        if (userInitiated && m_userDriver) {
            m_userDriver->showUpdateInFocus();
        } else if (!userInitiated) {
            m_notBefore = now().addMSecs(std::min(m_options.retryDelay, m_options.checkInterval).count());
            scheduleNextCheck();
        }
        return;
    }
    if (m_checkInProgress) {
        // The user asked while a scheduled check runs: that one answers the user.
        m_checkUserInitiated = m_checkUserInitiated || userInitiated;
        return;
    }
    m_checkInProgress = true;
    m_checkUserInitiated = userInitiated;
    m_timer.stop();
    m_nextCheck.reset();

    const std::optional<QString> feed = m_delegate ? m_delegate->feedURLStringForUpdater() : std::nullopt;
    if (!feed || feed->trimmed().isEmpty()) {
        checkFailedWith(u"No update feed is configured."_s);
        return;
    }
    const QUrl feedUrl(feed->trimmed());
    qCDebug(lcKavri, "Checking for updates at %ls", qUtf16Printable(feedUrl.toDisplayString()));
    CappedFetch::get(*m_network, feedUrl, m_options.maximumFeedBytes, m_options.requestTimeout, this,
        [this, feedUrl](const FetchResult &result) {
            if (result.ok())
                feedArrived(feedUrl, result.body);
            else
                checkFailedWith(u"The update feed could not be loaded. %1"_s.arg(result.error));
        });
}

void Updater::feedArrived(const QUrl &feedUrl, const QByteArray &body)
{
    const Appcast appcast = AppcastReader::parse(body, feedUrl);
    if (!appcast.isValid()) {
        checkFailedWith(appcast.error);
        return;
    }
    m_defaults.set(lastCheckKey, now());
    const bool userInitiated = m_checkUserInitiated;
    m_checkInProgress = false;

    const AppcastItem *newest = appcast.newestItem();
    const bool newer = newest && compareVersions(newest->version, m_options.currentVersion) > 0;
    const QString skipped = skippedVersion();
    const bool wasSkipped
        = newer && !userInitiated && !skipped.isEmpty() && compareVersions(newest->version, skipped) <= 0;
    if (newer && !wasSkipped) {
        const AppcastItem item = *newest;
        qCDebug(lcKavri, "Update found: %ls", qUtf16Printable(item.version));
        Q_EMIT updateFound(item, userInitiated);
        if (m_delegate)
            m_delegate->updaterDidFindValidUpdate(item);
        presentUpdate(item, userInitiated);
    } else {
        qCDebug(lcKavri, "No update%s", wasSkipped ? " (the newest version was skipped)" : "");
        Q_EMIT updateNotFound(userInitiated);
        if (m_delegate)
            m_delegate->updaterDidNotFindUpdate();
        if (userInitiated && m_userDriver)
            m_userDriver->showUpdateNotFound();
    }
    scheduleNextCheck();
}

void Updater::checkFailedWith(const QString &message)
{
    const bool userInitiated = m_checkUserInitiated;
    m_checkInProgress = false;
    qCWarning(lcKavri, "Update check failed: %ls", qUtf16Printable(message));
    if (!userInitiated)
        m_notBefore = now().addMSecs(std::min(m_options.retryDelay, m_options.checkInterval).count());
    Q_EMIT checkFailed(message, userInitiated);
    if (userInitiated && m_userDriver)
        m_userDriver->showUpdaterError(message);
    scheduleNextCheck();
}

void Updater::presentUpdate(const AppcastItem &item, bool userInitiated)
{
    if (!m_userDriver) {
        qCDebug(lcKavri, "No update interface to show version %ls", qUtf16Printable(item.version));
        return;
    }
    m_sessionInProgress = true;
    const quint64 session = ++m_session;
    QPointer<Updater> self(this);
    m_userDriver->showUpdateFound(item, UpdateState { userInitiated }, [self, item, session](UpdateChoice choice) {
        // A late answer to an earlier session must not end this one.
        if (!self || !self->m_sessionInProgress || self->m_session != session)
            return;
        self->m_sessionInProgress = false;
        if (choice == UpdateChoice::Skip)
            self->m_defaults.set(skippedVersionKey, item.version);
    });
}

void Updater::scheduleNextCheck()
{
    m_timer.stop();
    m_nextCheck.reset();
    if (!m_started || m_checkInProgress || !automaticallyChecksForUpdates())
        return;
    const QDateTime current = now();
    const qint64 interval = m_options.checkInterval.count();
    const std::optional<QDateTime> last = lastUpdateCheckDate();
    QDateTime due = last ? last->addMSecs(interval) : current;
    if (due > current.addMSecs(interval))
        due = current.addMSecs(interval);
    if (due < m_notBefore)
        due = m_notBefore;
    m_nextCheck = due;
    armTimer();
}

void Updater::armTimer()
{
    const qint64 remaining = std::max<qint64>(0, now().msecsTo(*m_nextCheck));
    m_timer.start(std::chrono::milliseconds(std::min<qint64>(remaining, m_options.clockRecheck.count())));
}

void Updater::timerFired()
{
    if (!m_nextCheck)
        return;
    if (now() >= *m_nextCheck)
        runCheck(false);
    else
        armTimer();
}

void Updater::settingChanged(const QString &key)
{
    if (key == automaticChecksKey || key == lastCheckKey)
        scheduleNextCheck();
}

} // namespace kavri
