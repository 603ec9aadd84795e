// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>

#include <QList>
#include <QObject>

#include "capture/RecognitionLanguages.h"
#include "shortcuts/Recorder.h"

class QAction;
class QMainWindow;
class QStackedWidget;

namespace kavri {

class LaunchAtLogin;
class SettingsViewModel;
class UserDefaults;

// The panes' identifiers, in toolbar order.
namespace SettingsPane {
inline constexpr QStringView general = u"general";
inline constexpr QStringView shortcuts = u"shortcuts";
inline constexpr QStringView recognition = u"recognition";
inline constexpr QStringView updates = u"updates";
inline constexpr QStringView privacy = u"privacy";
inline constexpr QStringView about = u"about";
} // namespace SettingsPane

// The settings window: a toolbar of six panes over the settings, the shortcuts, launch at login
// and the update checker. Every control writes through at once; there is no Apply step. The
// window is built on first show, and closing it only hides it.
class SettingsWindowController : public QObject
{
    Q_OBJECT

public:
    struct Dependencies
    {
        SettingsViewModel &viewModel;
        KeyboardShortcuts::Registry &shortcuts;
        LaunchAtLogin &launchAtLogin;
        // Where the window's frame is kept between runs.
        UserDefaults &frameStore;
        QList<SupportedLanguage> languages;
        // Combinations of Kavri's own actions, which the recorders refuse.
        QList<KeyboardShortcuts::Recorder::MenuAction> menuActions = kavriMenuActions();
        // Where the recorders try a combination to learn whether another program holds it.
        KeyboardShortcuts::HotKeyBackend *hotKeys = nullptr;
    };

    // The key the frame is kept under.
    static constexpr QStringView frameKey = u"SettingsWindowFrame";

    explicit SettingsWindowController(Dependencies dependencies, QObject *parent = nullptr);
    ~SettingsWindowController() override;

    // Ctrl+, "Settings…" and Ctrl+Q "Quit Kavri".
    static QList<KeyboardShortcuts::Recorder::MenuAction> kavriMenuActions();

    // With a pane: that pane (the first when the identifier is unknown). Without: the pane last
    // shown, the first on the first show. Then brings the window to the front.
    void show(const std::optional<QString> &pane = std::nullopt);

    // The identifier of the selected pane; empty before the first show.
    QString selectedPane() const;
    // Built on first use.
    QMainWindow *window();
    QWidget *pane(QStringView identifier);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct PaneEntry
    {
        QStringView identifier;
        QStringView title;
        QString symbol;
        QWidget *content;
        QAction *action;
    };

    void build();
    void select(int index);
    void saveFrame() const;
    void restoreFrame();

    Dependencies m_dependencies;
    std::unique_ptr<QMainWindow> m_window;
    QStackedWidget *m_stack = nullptr;
    QList<PaneEntry> m_panes;
    int m_selected = -1;
    bool m_restoring = false;
};

} // namespace kavri
