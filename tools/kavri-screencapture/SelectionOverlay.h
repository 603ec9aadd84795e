// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QWidget>

namespace kavri {

// One screen's frozen image, dimmed, with a crosshair; the user drags a rectangle with the left
// button and the rectangle shows undimmed with its size in device pixels beside it.
class SelectionOverlay : public QWidget
{
    Q_OBJECT

public:
    // \a shot is the screen as grabbed, at device pixels (its device pixel ratio set).
    SelectionOverlay(QScreen *screen, const QPixmap &shot);

Q_SIGNALS:
    // The selected region, in the device pixels of this overlay's screen.
    void selected(const QRect &devicePixels);
    // Escape, a right click, or a click without a drag.
    void dismissed();
    // Any input, to keep the idle timeout from firing.
    void activity();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QRect selection() const;
    QRect toDevicePixels(const QRect &logical) const;
    void paintSizeLabel(QPainter &painter, const QRect &area) const;

    QPixmap m_shot;
    QPoint m_anchor;
    QPoint m_cursor;
    bool m_dragging = false;
};

} // namespace kavri
