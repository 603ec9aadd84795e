// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>

#include <QObject>
#include <QPointer>
#include <QTimer>

#include "FocusReturn.h"
#include "PopupType.h"
#include "content/ParsedContent.h"

class QAbstractAnimation;
class QWidget;

namespace kavri {

class AppSettings;
class ContentActionHandler;
class GlobalEscapeMonitor;
class PopupWindow;
struct ActionFailure;

// The transient result card: one at a time, centred on the screen under the pointer, closing on
// Escape, its close button, a successful action or after the user's popup duration (paused while
// the pointer rests on it). Main thread only.
class ResultPopupController : public QObject
{
    Q_OBJECT

public:
    // Shows a failed action's alert over \a parent (the card, or null when none is shown).
    using FailureAlert = std::function<void(const ActionFailure &failure, QWidget *parent)>;

    ResultPopupController(const AppSettings &settings, ContentActionHandler &actions, QObject *parent = nullptr);
    ~ResultPopupController() override;

    // Wired to the process's settings and the desktop's action handler.
    static ResultPopupController &shared();

    // Replaces any card on screen at once.
    void showPopup(const QString &text, PopupType type, const std::optional<ParsedContent> &parsedContent);
    void dismissAnimated();
    void closeImmediately();

    // The card on screen (also while it fades), for tests and for placing alerts.
    QWidget *popupWindow() const;

    // Carries out an action a card offers. Done, or going on in a window of its own: the card
    // fades out. Failed, now or later: the alert, and the card stays.
    void performAction(const QString &actionId, const ParsedContent &content);

    // The alert is modal; tests put a recorder in its place. The application's alert by default.
    void setFailureAlert(FailureAlert alert);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void startDismissTimer();
    void installKeyboardMonitors();
    void removeKeyboardMonitors();
    // A replaced card leaves the focus to the card that takes its place.
    void closeCard(bool returnFocus);
    void hoverChanged(bool inside);
    void globalEscapePressed();
    void showFailure(const ActionFailure &failure);
    bool isFading() const;

    const AppSettings &m_settings;
    ContentActionHandler &m_actions;
    FailureAlert m_failureAlert;
    QPointer<PopupWindow> m_window;
    // Fading m_window; deletes itself when done.
    QPointer<QAbstractAnimation> m_fade;
    // Stopped while paused and while no card is shown.
    QTimer m_dismissTimer;
    bool m_hovered = false;
    bool m_keyboardMonitor = false;
    GlobalEscapeMonitor *m_globalKeyboardMonitor = nullptr;
    FocusReturn m_focusReturn;
};

} // namespace kavri
