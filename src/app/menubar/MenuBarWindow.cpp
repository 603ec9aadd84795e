// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MenuBarWindow.h"

#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include "MenuBarView.h"
#include "platform/X11Desktop.h"

using namespace std::chrono_literals;

namespace kavri {

namespace {

constexpr int gap = 4;
constexpr auto toggleAfterFocusLoss = 300ms;

} // namespace

QPoint menuBarWindowPosition(QSize window, QRect anchor, QRect available)
{
    const bool anchorLow = anchor.center().y() > available.center().y();
    const bool anchorRight = anchor.center().x() > available.center().x();
    int x = anchorRight ? anchor.right() + 1 - window.width() : anchor.left();
    int y = anchorLow ? anchor.top() - gap - window.height() : anchor.bottom() + 1 + gap;
    x = std::clamp(x, available.left(), std::max(available.left(), available.right() + 1 - window.width()));
    y = std::clamp(y, available.top(), std::max(available.top(), available.bottom() + 1 - window.height()));
    return { x, y };
}

MenuBarWindow::MenuBarWindow(MenuBarView *view, std::function<QRect()> anchor, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_view(view)
    , m_anchor(std::move(anchor))
{
    setWindowTitle(QStringLiteral("Kavri"));
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(view);
    view->setDismiss([this] { hide(); });
    connect(view, &MenuBarView::contentChanged, this, [this] {
        if (isVisible())
            place();
    });
    m_pointerWatch.setInterval(50ms);
    connect(&m_pointerWatch, &QTimer::timeout, this, &MenuBarWindow::closeUnlessDragging);
}

void MenuBarWindow::toggle()
{
    if (isVisible()) {
        hide();
        return;
    }
    if (m_sinceFocusLoss.isValid() && !m_sinceFocusLoss.hasExpired(toggleAfterFocusLoss.count()))
        return;
    open();
}

void MenuBarWindow::open()
{
    if (!isVisible()) {
        adjustSize();
        place();
        show();
    }
    raise();
    activateWindow();
}

void MenuBarWindow::place()
{
    adjustSize();
    QRect anchor = m_anchor ? m_anchor() : QRect();
    if (anchor.isEmpty())
        anchor = QRect(QCursor::pos(), QSize(1, 1));
    QScreen *screen = QGuiApplication::screenAt(anchor.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    move(menuBarWindowPosition(size(), anchor, screen ? screen->availableGeometry() : QRect(QPoint(), size())));
}

bool MenuBarWindow::event(QEvent *event)
{
    // Hiding the active window deactivates it on the way (already hidden, not yet invisible):
    // that is no focus loss.
    if (event->type() == QEvent::WindowDeactivate && !isHidden())
        closeUnlessDragging();
    return QWidget::event(event);
}

void MenuBarWindow::closeUnlessDragging()
{
    if (isActiveWindow() || QApplication::activePopupWidget()) {
        m_pointerWatch.stop();
        return;
    }
    if (X11Desktop::pointerButtonDown()) {
        m_pointerWatch.start();
        return;
    }
    m_pointerWatch.stop();
    m_sinceFocusLoss.start();
    hide();
}

void MenuBarWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_view->windowShown();
}

void MenuBarWindow::hideEvent(QHideEvent *event)
{
    m_pointerWatch.stop();
    m_view->windowHidden();
    QWidget::hideEvent(event);
}

void MenuBarWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace kavri
