// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

namespace kavri {

class MenuBarView;

// Where Kavri's window goes: beside \a anchor (the tray icon, or the pointer as an empty rect),
// opening away from the screen edge the anchor is near, and kept inside \a available.
QPoint menuBarWindowPosition(QSize window, QRect anchor, QRect available);

// The window that drops down from the tray icon: frameless, above other windows, without a
// taskbar entry. It closes when Kavri loses the focus, except while a mouse button is held
// outside it: that may be a file being dragged onto it.
class MenuBarWindow : public QWidget
{
    Q_OBJECT

public:
    // \a anchor says where the tray icon is; an empty rect places the window at the pointer.
    MenuBarWindow(MenuBarView *view, std::function<QRect()> anchor, QWidget *parent = nullptr);

    MenuBarView &view() const { return *m_view; }
    void toggle();
    void open();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void place();
    void closeUnlessDragging();

    MenuBarView *m_view;
    std::function<QRect()> m_anchor;
    QTimer m_pointerWatch;
    // A click on the tray icon that takes the focus away would close the window and then, as a
    // toggle, reopen it at once.
    QElapsedTimer m_sinceFocusLoss;
};

} // namespace kavri
