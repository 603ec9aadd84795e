// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QObject>

class QKeyEvent;

namespace kavri {

// Sees every key press of the application while started and may consume it; the handler
// answers whether it did. Menus and dialogs opened on top keep their own keys.
class KeyboardMonitor : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<bool(const QKeyEvent &)>;

    ~KeyboardMonitor() override;

    void start(Handler handler);
    void stop();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Handler m_handler;
};

} // namespace kavri
