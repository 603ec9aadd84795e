// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>

#include <QUrl>
#include <QWidget>

#include "FocusedItem.h"
#include "KeyboardMonitor.h"

class QKeyEvent;
class QMenu;
class QToolButton;

namespace kavri {

class AppRootCoordinator;
class LastCapturedSection;
class MenuRow;
class ParsedContent;

namespace KeyboardShortcuts {
class Registry;
}

// What the rows of Kavri's window do beyond the coordinator's own operations.
struct MenuBarActions
{
    // An empty pane asks for the settings window's own choice.
    std::function<void(const QString &pane)> showSettings;
    // Empty while there is no update checker.
    std::function<void()> checkForUpdates;
    std::function<void()> quit;
    std::function<void(const QUrl &url)> openUrl;
    std::function<std::optional<QUrl>()> feedbackMailURL;
    // Performs a content action and reports its failure.
    std::function<void(const QString &actionId, const ParsedContent &content)> performAction;
    std::function<void(const QString &text)> copyText;
    // Pops the Import submenu up at \a globalPos; returns when it has closed.
    std::function<void(QPoint globalPos)> showImportMenu;
    std::function<void(const QString &path)> importFile;
};

// The content of Kavri's window: the capture rows, Import, the last capture with its actions,
// Settings, Quit and the gear menu, driven by the mouse and by its own arrow-key navigation.
class MenuBarView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int contentWidth = 280;

    MenuBarView(AppRootCoordinator &coordinator, KeyboardShortcuts::Registry &shortcuts, MenuBarActions actions,
        QWidget *parent = nullptr);

    // The window's dismiss action.
    void setDismiss(std::function<void()> dismiss) { m_dismiss = std::move(dismiss); }
    void windowShown();
    void windowHidden();

    std::optional<FocusedItem> focusedItem() const { return m_focusedItem; }
    bool isImportMenuOpen() const { return m_isImportMenuOpen; }
    MenuRow &row(FocusedItem item) const;
    LastCapturedSection &lastCapturedSection() const { return *m_lastCaptured; }
    QMenu &moreMenu() const;
    QMenu &gearMenu() const { return *m_gearMenu; }

    // Opens the Import submenu from the row; a tap also drops the row's hover look.
    void openImportMenu(bool fromTap);

Q_SIGNALS:
    // The content changed size; the window fits itself to it.
    void contentChanged();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    bool handleKey(const QKeyEvent &event);
    void setFocusedItem(std::optional<FocusedItem> item);
    void activate(std::optional<FocusedItem> item);
    void refresh();
    void refreshHints();
    void rebuildMoreMenu();
    void buildGearMenu();
    void dismiss();
    // Closes first or acts first, as each row wants.
    void closeThen(const std::function<void()> &work);
    void thenClose(const std::function<void()> &work);

    AppRootCoordinator &m_coordinator;
    KeyboardShortcuts::Registry &m_shortcuts;
    MenuBarActions m_actions;
    std::function<void()> m_dismiss;
    KeyboardMonitor m_keyboardMonitor;
    std::optional<FocusedItem> m_focusedItem;
    bool m_isImportMenuOpen = false;

    MenuRow *m_captureText;
    MenuRow *m_captureQR;
    MenuRow *m_import;
    LastCapturedSection *m_lastCaptured;
    MenuRow *m_settings;
    MenuRow *m_quit;
    QToolButton *m_gear;
    QMenu *m_gearMenu;
};

} // namespace kavri
