// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SelectionOverlay.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

constexpr QColor dimColor(0, 0, 0, 110);
constexpr QColor accentColor(0x2f, 0x9b, 0xff);

} // namespace

SelectionOverlay::SelectionOverlay(QScreen *screen, const QPixmap &shot)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint | Qt::Tool)
    , m_shot(shot)
{
    setWindowTitle(u"kavri-screencapture"_s);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setScreen(screen);
    setGeometry(screen->geometry());
    m_cursor = mapFromGlobal(QCursor::pos(screen));
}

QRect SelectionOverlay::selection() const
{
    // From the pixel pressed up to, not including, the pixel released: a drag of 100 pixels
    // selects 100 pixels.
    const QPoint topLeft(std::min(m_anchor.x(), m_cursor.x()), std::min(m_anchor.y(), m_cursor.y()));
    return QRect(topLeft, QSize(std::abs(m_cursor.x() - m_anchor.x()), std::abs(m_cursor.y() - m_anchor.y())));
}

QRect SelectionOverlay::toDevicePixels(const QRect &logical) const
{
    // Corners map separately so that the region is exactly what lay under the rectangle.
    const qreal ratio = m_shot.devicePixelRatio();
    const QPoint topLeft(qRound(logical.left() * ratio), qRound(logical.top() * ratio));
    const QPoint bottomRight(
        qRound((logical.left() + logical.width()) * ratio), qRound((logical.top() + logical.height()) * ratio));
    return QRect(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y()))
        .intersected(QRect(QPoint(0, 0), m_shot.size()));
}

void SelectionOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(rect(), m_shot);

    const QRect area = m_dragging ? selection() : QRect();
    QRegion dimmed(rect());
    dimmed -= area;
    painter.setClipRegion(dimmed);
    painter.fillRect(rect(), dimColor);
    painter.setClipping(false);

    painter.setPen(QPen(accentColor, 1, Qt::DashLine));
    if (!m_dragging) {
        painter.drawLine(0, m_cursor.y(), width(), m_cursor.y());
        painter.drawLine(m_cursor.x(), 0, m_cursor.x(), height());
        return;
    }
    painter.setPen(QPen(accentColor, 1));
    painter.drawRect(area.adjusted(-1, -1, 0, 0));
    paintSizeLabel(painter, area);
}

void SelectionOverlay::paintSizeLabel(QPainter &painter, const QRect &area) const
{
    const QRect pixels = toDevicePixels(area);
    const QString text = u"%1 \u00D7 %2"_s.arg(pixels.width()).arg(pixels.height());
    const QRect textRect = painter.fontMetrics().boundingRect(text).adjusted(-6, -3, 6, 3);
    QRect label(area.bottomRight() + QPoint(8, 8), textRect.size());
    if (label.right() > width())
        label.moveRight(area.left() - 8);
    if (label.bottom() > height())
        label.moveBottom(area.top() - 8);
    label = label.intersected(rect()).isEmpty() ? QRect(QPoint(4, 4), textRect.size()) : label;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 190));
    painter.drawRoundedRect(label, 4, 4);
    painter.setPen(Qt::white);
    painter.drawText(label, Qt::AlignCenter, text);
}

void SelectionOverlay::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT activity();
    if (event->button() == Qt::RightButton) {
        Q_EMIT dismissed();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    m_anchor = m_cursor = event->position().toPoint();
    m_dragging = true;
    update();
}

void SelectionOverlay::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT activity();
    m_cursor = event->position().toPoint();
    update();
}

void SelectionOverlay::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT activity();
    if (event->button() != Qt::LeftButton || !m_dragging)
        return;
    m_cursor = event->position().toPoint();
    m_dragging = false;
    const QRect pixels = toDevicePixels(selection());
    if (pixels.width() < 1 || pixels.height() < 1)
        Q_EMIT dismissed();
    else
        Q_EMIT selected(pixels);
}

void SelectionOverlay::keyPressEvent(QKeyEvent *event)
{
    Q_EMIT activity();
    if (event->key() == Qt::Key_Escape)
        Q_EMIT dismissed();
}

} // namespace kavri
