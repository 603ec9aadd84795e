// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

namespace kavri {

class AppRootCoordinator;

// Kavri's tray icon: shows the coordinator's symbol, toggles Kavri's window on a left click, and
// offers the main actions in its context menu for trays that only show a menu. Shown as soon as
// a tray exists, also one that starts after Kavri.
class StatusItem : public QObject
{
    Q_OBJECT

public:
    StatusItem(AppRootCoordinator &coordinator, std::function<void()> openSettings, QObject *parent = nullptr);

    QSystemTrayIcon &trayIcon() { return m_tray; }
    // Where the tray icon is on screen; empty when the tray does not tell.
    QRect geometry() const { return m_tray.geometry(); }
    // A dot on the icon: something waits for the user's attention.
    void setBadged(bool badged);

private:
    void updateIcon();

    AppRootCoordinator &m_coordinator;
    QSystemTrayIcon m_tray;
    QMenu m_menu;
    bool m_badged = false;
};

} // namespace kavri
