// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include <QObject>

#include "AppRequest.h"

namespace kavri {

class AppDelegate;
class AppRootCoordinator;
class LaunchServices;
class MenuBarWindow;
struct MenuBarActions;
class StatusItem;

// The running tray application: the coordinator, the tray icon, the settings window and the start
// sequence, and the requests that reach it from shortcuts and other kavri processes.
class KavriApp : public QObject
{
    Q_OBJECT

public:
    explicit KavriApp(QObject *parent = nullptr);
    ~KavriApp() override;

    void start();
    // \a source says where it came from, for the log.
    void perform(AppRequest request, const QString &source);

private:
    // An empty pane leaves the choice to the settings window.
    void showSettings(const QString &pane = {});
    void toggleMenu();
    MenuBarActions menuBarActions();

    AppRootCoordinator &m_coordinator;
    std::unique_ptr<LaunchServices> m_services;
    std::unique_ptr<StatusItem> m_statusItem;
    std::unique_ptr<MenuBarWindow> m_menuWindow;
    std::unique_ptr<AppDelegate> m_delegate;
};

} // namespace kavri
