// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyboardMonitor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace kavri {

KeyboardMonitor::~KeyboardMonitor()
{
    stop();
}

void KeyboardMonitor::start(Handler handler)
{
    stop();
    m_handler = std::move(handler);
    QCoreApplication::instance()->installEventFilter(this);
}

void KeyboardMonitor::stop()
{
    if (!m_handler)
        return;
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
    m_handler = {};
}

bool KeyboardMonitor::eventFilter(QObject *watched, QEvent *event)
{
    // Key events travel up the parent chain; only the first delivery (to a widget or window) counts.
    if (event->type() != QEvent::KeyPress || !m_handler || !watched->isWidgetType())
        return false;
    // An open menu or alert navigates with these keys itself.
    if (QApplication::activePopupWidget() && QApplication::activePopupWidget()->inherits("QMenu"))
        return false;
    if (QApplication::activeModalWidget())
        return false;
    const Handler handler = m_handler;
    return handler(static_cast<const QKeyEvent &>(*event));
}

} // namespace kavri
