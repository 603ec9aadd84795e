// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "KavriApp.h"

#include <QCursor>

#include "AppDelegate.h"
#include "AppRootCoordinator.h"
#include "BasicSettingsWindow.h"
#include "LaunchServices.h"
#include "SharedInstances.h"
#include "StatusItem.h"
#include "capture/KavriCore.h"
#include "capture/ScreenCaptureEngine.h"
#include "platform/Log.h"
#include "settings/AppSettings.h"

namespace kavri {

KavriApp::KavriApp(QObject *parent)
    : QObject(parent)
    , m_coordinator(AppRootCoordinator::shared())
    , m_services(std::make_unique<LaunchServices>())
{ }

KavriApp::~KavriApp() = default;

void KavriApp::start()
{
    m_statusItem = std::make_unique<StatusItem>(m_coordinator, [this] { showSettings(); });
    m_coordinator.setToggleMenuHandler([this] { toggleMenu(); });
    m_delegate = std::make_unique<AppDelegate>(AppSettings::shared(), *m_services,
        AppDelegate::Hooks {
            .showSettings = [this] { showSettings(); },
            .hasScreenRecordingPermission = [] { return sharedScreenCaptureEngine().hasScreenRecordingPermission(); },
            .showPermissionAlert = {},
        });
    m_delegate->applicationDidFinishLaunching();
}

void KavriApp::perform(AppRequest request, const QString &source)
{
    qCInfo(lcMain, "Request %ls from %ls", qUtf16Printable(AppRequests::name(request)), qUtf16Printable(source));
    switch (request) {
    case AppRequest::captureText:
        m_coordinator.captureText();
        break;
    case AppRequest::captureQRCode:
        m_coordinator.captureQRCode();
        break;
    case AppRequest::importClipboard:
        m_coordinator.kavriService().processImageFromClipboard();
        break;
    case AppRequest::activate:
    case AppRequest::toggleMenu:
        m_coordinator.toggleMenu();
        break;
    }
}

void KavriApp::showSettings()
{
    if (!m_settingsWindow)
        m_settingsWindow = std::make_unique<BasicSettingsWindow>(AppSettings::shared());
    m_settingsWindow->showAndRaise();
}

void KavriApp::toggleMenu()
{
    // Kavri's window is the tray's menu, opened where the pointer is.
    QMenu &menu = m_statusItem->contextMenu();
    if (menu.isVisible())
        menu.hide();
    else
        menu.popup(QCursor::pos());
}

} // namespace kavri
