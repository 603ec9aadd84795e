// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppDelegate.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "AppTexts.h"
#include "LaunchServices.h"
#include "platform/Log.h"
#include "platform/Workspace.h"
#include "settings/AppSettings.h"

namespace kavri {

AppDelegate::AppDelegate(AppSettings &settings, LaunchServices &services, Hooks hooks,
    std::chrono::milliseconds permissionAlertDelay, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_services(services)
    , m_hooks(std::move(hooks))
    , m_permissionAlertDelay(permissionAlertDelay)
{
    if (!m_hooks.showPermissionAlert)
        m_hooks.showPermissionAlert = &AppDelegate::showPermissionAlert;
}

AppDelegate::~AppDelegate()
{
    applicationWillTerminate();
}

void AppDelegate::applicationDidFinishLaunching()
{
    // No window at start: the tray icon is Kavri's only presence.
    QCoreApplication::instance()->installEventFilter(this);
    m_monitorInstalled = true;
    checkPermission();
    m_services.startUpdateChecks();
    m_services.loadRemoteConfiguration();
    m_services.recordLaunch();
    if (m_settings.showNews())
        m_services.showNewsIfAny();
    qCInfo(lcMain, "Kavri is up");
}

void AppDelegate::applicationWillTerminate()
{
    if (!m_monitorInstalled)
        return;
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
    m_monitorInstalled = false;
}

bool AppDelegate::eventFilter(QObject *watched, QEvent *event)
{
    // Ctrl+, in any of Kavri's windows opens the settings.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Comma || !key->modifiers().testFlag(Qt::ControlModifier))
        return false;
    QPointer<AppDelegate> self(this);
    QMetaObject::invokeMethod(
        this,
        [self] {
            if (self && self->m_hooks.showSettings)
                self->m_hooks.showSettings();
        },
        Qt::QueuedConnection);
    return true;
}

void AppDelegate::checkPermission()
{
    if (!m_hooks.hasScreenRecordingPermission)
        return;
    m_hooks.hasScreenRecordingPermission().then(this, [this](bool granted) {
        if (granted)
            return;
        QTimer::singleShot(m_permissionAlertDelay, this, [this] { m_hooks.showPermissionAlert(); });
    });
}

void AppDelegate::showPermissionAlert()
{
    QMessageBox alert(
        QMessageBox::Information, AppTexts::permissionAlertTitle.toString(), AppTexts::permissionAlertTitle.toString());
    const auto settingsUrl = Workspace::screenCaptureSettingsUrl();
    QPushButton *open = nullptr;
    if (settingsUrl) {
        alert.setInformativeText(AppTexts::permissionAlertText());
        open = alert.addButton(AppTexts::openSystemSettings.toString(), QMessageBox::AcceptRole);
        alert.addButton(AppTexts::later.toString(), QMessageBox::RejectRole);
    } else {
        // No settings page to send the user to; say what to do instead.
        alert.setInformativeText(AppTexts::permissionPopup());
        alert.addButton(QMessageBox::Ok);
    }
    alert.exec();
    if (open && alert.clickedButton() == open)
        Workspace::openUrl(*settingsUrl);
}

} // namespace kavri
