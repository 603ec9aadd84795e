// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

#include <QFuture>
#include <QObject>

namespace kavri {

class AppSettings;
class LaunchServices;

// Kavri's start: the keyboard shortcut for the settings window in Kavri's own windows, the
// screen-capture permission check, and the background services in their order.
class AppDelegate : public QObject
{
    Q_OBJECT

public:
    struct Hooks
    {
        std::function<void()> showSettings;
        // Whether the screen can be captured; asked once at start.
        std::function<QFuture<bool>()> hasScreenRecordingPermission;
        // Shown when it cannot; the default is the permission alert.
        std::function<void()> showPermissionAlert;
    };
    static constexpr std::chrono::milliseconds defaultPermissionAlertDelay { 500 };

    AppDelegate(AppSettings &settings, LaunchServices &services, Hooks hooks,
        std::chrono::milliseconds permissionAlertDelay = defaultPermissionAlertDelay, QObject *parent = nullptr);
    ~AppDelegate() override;

    void applicationDidFinishLaunching();
    void applicationWillTerminate();

    // The alert for a screen Kavri cannot capture, with a way to the desktop's settings where
    // Kavri knows one.
    static void showPermissionAlert();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void checkPermission();

    AppSettings &m_settings;
    LaunchServices &m_services;
    Hooks m_hooks;
    std::chrono::milliseconds m_permissionAlertDelay;
    bool m_monitorInstalled = false;
};

} // namespace kavri
