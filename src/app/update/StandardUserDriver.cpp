// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StandardUserDriver.h"

#include <QNetworkAccessManager>
#include <QPushButton>

#include "ReleaseNotesView.h"
#include "platform/AppInfo.h"
#include "platform/Log.h"
#include "platform/Workspace.h"
#include "services/update/CappedFetch.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

constexpr qint64 maximumReleaseNotesBytes = 1024 * 1024;
constexpr std::chrono::seconds releaseNotesTimeout(30);

bool isWebAddress(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() && (scheme == u"http"_s || scheme == u"https"_s);
}

} // namespace

StandardUserDriver::StandardUserDriver(QString currentVersion, QObject *parent)
    : QObject(parent)
    , m_currentVersion(std::move(currentVersion))
    , m_network(new QNetworkAccessManager(this))
    , m_openUrl(&Workspace::openUrl)
{ }

StandardUserDriver::~StandardUserDriver()
{
    // An open session still gets its one answer.
    if (auto reply = std::exchange(m_reply, nullptr))
        reply(UpdateChoice::RemindLater);
    if (m_alert) {
        m_alert->disconnect(this);
        delete m_alert.data();
    }
    delete m_message.data();
}

QString StandardUserDriver::defaultCurrentVersion()
{
    return AppInfo::appVersion();
}

void StandardUserDriver::showUpdateFound(
    const AppcastItem &item, const UpdateState &state, std::function<void(UpdateChoice)> reply)
{
    if (m_alert) {
        m_alert->disconnect(this);
        m_alert->close();
        finishSession(UpdateChoice::RemindLater);
    }
    m_reply = std::move(reply);
    auto *alert = new UpdateAlert(item, m_currentVersion);
    m_alert = alert;
    alert->releaseNotesView()->setOpenLink(m_openUrl);
    connect(alert, &UpdateAlert::choiceMade, this, [this, alert](UpdateChoice choice) {
        if (choice == UpdateChoice::Download)
            download(alert->item());
        finishSession(choice);
    });
    const bool gentle = !state.userInitiated && delegate() && delegate()->supportsGentleScheduledUpdateReminders();
    if (delegate())
        delegate()->standardUserDriverWillHandleShowingUpdate(true, item, state);
    m_awaitingAttention = gentle;
    connect(alert, &UpdateAlert::attended, this, [this, alert] {
        if (!std::exchange(m_awaitingAttention, false))
            return;
        if (delegate())
            delegate()->standardUserDriverDidReceiveUserAttention(alert->item());
    });
    if (gentle) {
        // Scheduled: no stealing the focus from what the user is doing.
        alert->setAttribute(Qt::WA_ShowWithoutActivating);
        alert->show();
    } else {
        alert->show();
        alert->raise();
        alert->activateWindow();
    }
    loadReleaseNotes(item);
}

void StandardUserDriver::showUpdateInFocus()
{
    if (!m_alert)
        return;
    m_alert->setAttribute(Qt::WA_ShowWithoutActivating, false);
    m_alert->show();
    m_alert->raise();
    m_alert->activateWindow();
    // Asking for it is turning to it, whether or not the desktop grants the focus.
    if (std::exchange(m_awaitingAttention, false) && delegate())
        delegate()->standardUserDriverDidReceiveUserAttention(m_alert->item());
}

void StandardUserDriver::showUpdateNotFound()
{
    showMessage(QMessageBox::Information, u"Kavri is up to date."_s,
        u"Kavri %1 is currently the newest version available."_s.arg(m_currentVersion));
}

void StandardUserDriver::showUpdaterError(const QString &message)
{
    showMessage(QMessageBox::Warning, u"Kavri could not check for updates."_s, message);
}

void StandardUserDriver::loadReleaseNotes(const AppcastItem &item)
{
    QPointer<UpdateAlert> alert = m_alert;
    const QString description = item.itemDescription;
    if (!isWebAddress(item.releaseNotesLink)) {
        alert->releaseNotesView()->setNotes(description);
        Q_EMIT releaseNotesShown();
        return;
    }
    alert->releaseNotesView()->setPlainText(u"Loading release notes\u2026"_s);
    CappedFetch::get(*m_network, item.releaseNotesLink, maximumReleaseNotesBytes, releaseNotesTimeout, alert,
        [this, alert, description](const FetchResult &result) {
            if (!alert)
                return;
            if (result.ok()) {
                alert->releaseNotesView()->setNotes(QString::fromUtf8(result.body));
            } else {
                qCWarning(lcKavri, "Release notes not loaded: %ls", qUtf16Printable(result.error));
                alert->releaseNotesView()->setNotes(
                    description.isEmpty() ? u"The release notes could not be loaded."_s : description);
            }
            Q_EMIT releaseNotesShown();
        });
}

void StandardUserDriver::finishSession(UpdateChoice choice)
{
    m_awaitingAttention = false;
    auto reply = std::exchange(m_reply, nullptr);
    if (!reply)
        return;
    if (delegate())
        delegate()->standardUserDriverWillFinishUpdateSession();
    reply(choice);
}

void StandardUserDriver::download(const AppcastItem &item)
{
    QUrl target = isWebAddress(item.enclosureUrl) ? item.enclosureUrl : item.infoUrl;
    if (!isWebAddress(target))
        target = AppInfo::websiteURL();
    if (m_openUrl)
        m_openUrl(target);
}

void StandardUserDriver::showMessage(QMessageBox::Icon icon, const QString &text, const QString &informativeText)
{
    delete m_message.data();
    auto *box = new QMessageBox(icon, u"Software Update"_s, text, QMessageBox::Ok);
    box->setInformativeText(informativeText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    m_message = box;
    box->show();
    box->raise();
    box->activateWindow();
}

} // namespace kavri
