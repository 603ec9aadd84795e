// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResultPopupController.h"

#include <cmath>
#include <limits>

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QPauseAnimation>
#include <QPropertyAnimation>
#include <QScreen>

#include "GlobalEscapeMonitor.h"
#include "PopupStyle.h"
#include "PopupWindow.h"
#include "ResultPopupView.h"
#include "ResultPopupViewModel.h"
#include "app/actions/ActionAlert.h"
#include "content/ContentActionHandler.h"
#include "platform/Log.h"
#include "settings/AppSettings.h"

namespace kavri {

namespace {

constexpr int fadeDurationMs = 200;
constexpr double fallbackDurationSeconds = 5.0;

int dismissDelayMs(double seconds)
{
    if (std::isnan(seconds) || seconds < 0) {
        qCWarning(
            lcKavri, "Popup duration %g s cannot be waited for; the card stays %g s", seconds, fallbackDurationSeconds);
        seconds = fallbackDurationSeconds;
    }
    return int(std::min(seconds * 1000.0, double(std::numeric_limits<int>::max())));
}

// The centre of the usable area of the screen that holds the pointer (or of the primary screen);
// the origin when there is no screen at all.
QPoint centreUnderPointer()
{
    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QRect area = screen->availableGeometry();
    return { area.x() + area.width() / 2, area.y() + area.height() / 2 };
}

} // namespace

ResultPopupController::ResultPopupController(
    const AppSettings &settings, ContentActionHandler &actions, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_actions(actions)
    , m_failureAlert(showActionFailure)
{
    m_dismissTimer.setSingleShot(true);
    connect(&m_dismissTimer, &QTimer::timeout, this, &ResultPopupController::dismissAnimated);
}

ResultPopupController::~ResultPopupController()
{
    removeKeyboardMonitors();
    if (PopupWindow *card = m_window) {
        m_window = nullptr;
        if (card->isHeld())
            card->retire();
        else
            delete card;
    }
}

void ResultPopupController::showPopup(
    const QString &text, PopupType type, const std::optional<ParsedContent> &parsedContent)
{
    // Asked while the replaced card is still there: the window manager may still call it active.
    m_focusReturn.remember(m_window ? m_window->internalWinId() : 0);
    closeCard(false);

    auto *viewModel = new ResultPopupViewModel(this);
    auto *view = new ResultPopupView(text, type, parsedContent, viewModel);
    viewModel->setParent(view);
    auto *window = new PopupWindow(view, popupStyle(type, view->palette()).title);
    window->centreOn(centreUnderPointer());
    m_window = window;

    // A new window comes up above the others; raising it as well only upsets some platforms.
    window->show();
    window->activateWindow();
    installKeyboardMonitors();
    startDismissTimer();
}

void ResultPopupController::dismissAnimated()
{
    m_dismissTimer.stop();
    if (!m_window || isFading())
        return;
    QAbstractAnimation *fade = nullptr;
    if (QGuiApplication::platformName() == u"xcb") {
        auto *opacity = new QPropertyAnimation(m_window, "windowOpacity", m_window);
        opacity->setDuration(fadeDurationMs);
        opacity->setEndValue(0.0);
        fade = opacity;
    } else {
        // Other platforms here cannot change a window's opacity: the card just goes after as long.
        fade = new QPauseAnimation(fadeDurationMs, m_window);
    }
    // Closes the card that faded and no other: a card shown meanwhile keeps its own time.
    connect(fade, &QAbstractAnimation::finished, this, [this, card = QPointer<PopupWindow>(m_window)] {
        if (card && card == m_window)
            closeImmediately();
    });
    m_fade = fade;
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

void ResultPopupController::closeImmediately()
{
    closeCard(true);
}

QWidget *ResultPopupController::popupWindow() const
{
    return m_window;
}

void ResultPopupController::closeCard(bool returnFocus)
{
    m_dismissTimer.stop();
    removeKeyboardMonitors();
    m_hovered = false;
    PopupWindow *card = m_window;
    m_window = nullptr;
    if (!card)
        return;
    if (m_fade)
        m_fade->stop();
    if (returnFocus)
        m_focusReturn.restore(card->internalWinId());
    card->retire();
}

bool ResultPopupController::isFading() const
{
    return m_fade && m_fade->state() == QAbstractAnimation::Running;
}

void ResultPopupController::startDismissTimer()
{
    m_dismissTimer.start(dismissDelayMs(m_settings.popupDuration()));
}

void ResultPopupController::hoverChanged(bool inside)
{
    m_hovered = inside;
    if (inside) {
        m_dismissTimer.stop();
        return;
    }
    // A full duration again, not what was left; never under an alert or during the fade.
    if (m_window && !m_window->isHeld() && !isFading() && !m_dismissTimer.isActive())
        startDismissTimer();
}

void ResultPopupController::installKeyboardMonitors()
{
    if (!m_keyboardMonitor) {
        if (QCoreApplication *app = QCoreApplication::instance()) {
            app->installEventFilter(this);
            m_keyboardMonitor = true;
        }
    }
    if (!m_globalKeyboardMonitor && GlobalEscapeMonitor::isAvailable()) {
        m_globalKeyboardMonitor = new GlobalEscapeMonitor(this);
        connect(m_globalKeyboardMonitor, &GlobalEscapeMonitor::escapePressed, this,
            &ResultPopupController::globalEscapePressed);
    }
    if (m_globalKeyboardMonitor)
        m_globalKeyboardMonitor->start();
}

void ResultPopupController::removeKeyboardMonitors()
{
    if (m_keyboardMonitor) {
        if (QCoreApplication *app = QCoreApplication::instance())
            app->removeEventFilter(this);
        m_keyboardMonitor = false;
    }
    if (m_globalKeyboardMonitor)
        m_globalKeyboardMonitor->stop();
}

bool ResultPopupController::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::Leave:
        if (watched == m_window)
            hoverChanged(event->type() == QEvent::Enter);
        return false;
    case QEvent::KeyPress:
        // An open menu or alert of Kavri's takes its own Escape.
        if (static_cast<QKeyEvent *>(event)->key() != Qt::Key_Escape || QApplication::activeModalWidget()
            || QApplication::activePopupWidget())
            return false;
        dismissAnimated();
        return true;
    default:
        return false;
    }
}

void ResultPopupController::globalEscapePressed()
{
    // With one of Kavri's windows focused, the key arrives as a key event as well and is handled
    // (or left to an alert) there.
    if (QGuiApplication::focusWindow())
        return;
    dismissAnimated();
}

void ResultPopupController::performAction(const QString &actionId, const ParsedContent &content)
{
    const ActionResult result = m_actions.perform(
        actionId, content, [self = QPointer<ResultPopupController>(this)](const VCardResult &later) {
            if (self && later)
                self->showFailure(*later);
        });
    if (const ActionFailure *failure = result.failure()) {
        showFailure(*failure);
        return;
    }
    dismissAnimated();
}

void ResultPopupController::setFailureAlert(FailureAlert alert)
{
    m_failureAlert = std::move(alert);
}

void ResultPopupController::showFailure(const ActionFailure &failure)
{
    // A fading card is no place for an alert.
    PopupWindow *card = isFading() ? nullptr : m_window.data();
    if (!card) {
        m_failureAlert(failure, nullptr);
        return;
    }
    // The card stays while the user reads the alert: no timer, and not deleted from under it.
    const QPointer<ResultPopupController> self(this);
    card->hold();
    m_dismissTimer.stop();
    m_failureAlert(failure, card);
    card->release();
    if (self && card == m_window && !m_hovered)
        startDismissTimer();
}

} // namespace kavri
