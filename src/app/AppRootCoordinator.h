// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include <QObject>
#include <QTimer>

#include "capture/CaptureResult.h"
#include "popup/PopupType.h"
#include "settings/MenuBarIconStyle.h"

namespace kavri {

class AppSettings;
class KavriCore;
class Pasteboard;

namespace KeyboardShortcuts {
class Registry;
}

// Ties the tray shell to the capture service: starts captures from the shortcuts and the tray,
// turns every result into a flash of the tray symbol and (where the settings allow) a result
// card, follows the icon-style setting, and offers the operations on the last capture.
// Main thread only.
class AppRootCoordinator : public QObject, public KavriCoreDelegate
{
    Q_OBJECT

public:
    using ShowPopup = std::function<void(const QString &text, PopupType type, const std::optional<ParsedContent> &)>;
    static constexpr std::chrono::milliseconds defaultFlashDuration { 1500 };

    AppRootCoordinator(KavriCore &kavriService, AppSettings &settings, KeyboardShortcuts::Registry &shortcuts,
        Pasteboard &pasteboard, ShowPopup showPopup, std::chrono::milliseconds flashDuration = defaultFlashDuration,
        QObject *parent = nullptr);

    // The process's coordinator over the shared services.
    static AppRootCoordinator &shared();

    KavriCore &kavriService() const { return m_kavriService; }
    const QString &menuBarIcon() const { return m_menuBarIcon; }
    MenuBarIconStyle menuBarIconStyle() const { return m_menuBarIconStyle; }
    // Opens or closes Kavri's window; installed by the application once its tray icon exists.
    void setToggleMenuHandler(std::function<void()> handler) { m_toggleMenuHandler = std::move(handler); }

    void captureText();
    void captureQRCode();
    void toggleMenu();
    void handleCaptureResult(const CaptureResult &result) override;

    void copyWiFiPassword();
    void showLastResult();
    void clearLastCapture();

Q_SIGNALS:
    // The tray symbol or the style changed; the tray redraws.
    void menuBarIconChanged();
    // The last capture is about to change (and after it was cleared); views of it redraw.
    void objectWillChange();

private:
    void flashIcon(const QString &symbolName);
    void setMenuBarIcon(const QString &symbolName, MenuBarIconStyle style);

    KavriCore &m_kavriService;
    AppSettings &m_settings;
    Pasteboard &m_pasteboard;
    ShowPopup m_showPopup;
    std::function<void()> m_toggleMenuHandler;
    QString m_menuBarIcon = QStringLiteral("text.viewfinder");
    MenuBarIconStyle m_menuBarIconStyle = MenuBarIconStyle::custom;
    QTimer m_iconFlash;
};

} // namespace kavri
