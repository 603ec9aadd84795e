// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "KavriApp.h"

#include <QApplication>
#include <QTimer>

#include "AppDelegate.h"
#include "AppLaunchServices.h"
#include "AppRootCoordinator.h"
#include "LaunchServices.h"
#include "SharedInstances.h"
#include "StatusItem.h"
#include "actions/ActionAlert.h"
#include "app/settings/SettingsWindowController.h"
#include "capture/KavriCore.h"
#include "capture/ScreenCaptureEngine.h"
#include "content/ContentActionHandler.h"
#include "help/GearMenuHelper.h"
#include "import/ImportMenuHelper.h"
#include "menubar/MenuBarView.h"
#include "menubar/MenuBarWindow.h"
#include "platform/Log.h"
#include "platform/Pasteboard.h"
#include "platform/Workspace.h"
#include "services/update/SparkleHelper.h"
#include "settings/AppSettings.h"
#include "shortcuts/KeyboardShortcuts.h"

namespace kavri {

KavriApp::KavriApp(QObject *parent)
    : QObject(parent)
    , m_coordinator(AppRootCoordinator::shared())
    , m_services(std::make_unique<AppLaunchServices>())
{ }

KavriApp::~KavriApp() = default;

void KavriApp::start()
{
    m_statusItem = std::make_unique<StatusItem>(m_coordinator, [this] { showSettings(); });
    m_coordinator.setToggleMenuHandler([this] { toggleMenu(); });
    // An update found by a scheduled check waits, badged on the tray icon, until the user looks.
    // The update checker comes up after the tray icon, like the other services.
    QTimer::singleShot(0, this, [this] {
        connect(
            SparkleHelper::shared(), &SparkleHelper::gentleReminderChanged, m_statusItem.get(), &StatusItem::setBadged);
    });
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

void KavriApp::showSettings(const QString &pane)
{
    sharedSettingsWindow().show(pane.isEmpty() ? std::nullopt : std::optional<QString>(pane));
}

void KavriApp::toggleMenu()
{
    if (SparkleHelper::shared()->isShowingGentleReminder()) {
        SparkleHelper::shared()->checkForUpdates();
        return;
    }
    // Built when first opened: the tray icon comes first at start.
    if (!m_menuWindow) {
        m_menuWindow = std::make_unique<MenuBarWindow>(
            new MenuBarView(m_coordinator, KeyboardShortcuts::Registry::shared(), menuBarActions()),
            [this] { return m_statusItem->geometry(); });
    }
    m_menuWindow->toggle();
}

MenuBarActions KavriApp::menuBarActions()
{
    return {
        .showSettings = [this](const QString &pane) { showSettings(pane); },
        .checkForUpdates = [] { SparkleHelper::shared()->checkForUpdates(); },
        .quit = [] { QCoreApplication::quit(); },
        .openUrl = [](const QUrl &url) { Workspace::openUrl(url); },
        .feedbackMailURL = [] { return GearMenuHelper::shared().feedbackMailURL(); },
        .performAction =
            [](const QString &actionId, const ParsedContent &content) {
                const ActionResult result
                    = sharedContentActionHandler().perform(actionId, content, [](const VCardResult &later) {
                          if (later)
                              showActionFailure(*later);
                      });
                if (const ActionFailure *failure = result.failure())
                    showActionFailure(*failure);
            },
        .copyText = [](const QString &text) { Pasteboard::general().setString(text); },
        .showImportMenu = [](QPoint position) { ImportMenuHelper::shared().menu()->exec(position); },
        .importFile = [](const QString &path) { ImportMenuHelper::shared().importFile(path); },
    };
}

} // namespace kavri
