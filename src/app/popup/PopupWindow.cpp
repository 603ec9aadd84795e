// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PopupWindow.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include "platform/X11Desktop.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

constexpr int shadowMargin = 18;
constexpr int shadowOffsetY = 4;
// Each of the shadow's layers adds this much black; they pile up towards the card.
constexpr int shadowLayerAlpha = 5;
constexpr qreal backgroundOpacity = 0.94;

bool translucencyShows()
{
    // Elsewhere (Wayland, offscreen) windows are always composited.
    if (QGuiApplication::platformName() != u"xcb")
        return true;
    return X11Desktop::compositingManagerRunning();
}

} // namespace

PopupWindow::PopupWindow(QWidget *content, const QString &title)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::NoDropShadowWindowHint)
    , m_translucent(translucencyShows())
{
    setWindowTitle(title);
    if (m_translucent) {
        setAttribute(Qt::WA_TranslucentBackground);
        m_margin = shadowMargin;
    }
    setFixedSize(cardSize + 2 * m_margin, cardSize + 2 * m_margin);
    if (!m_translucent) {
        QPainterPath outline;
        outline.addRoundedRect(QRectF(cardRect()), cornerRadius, cornerRadius);
        setMask(QRegion(outline.toFillPolygon().toPolygon()));
    }
    content->setParent(this);
    content->setGeometry(cardRect());
}

QRect PopupWindow::cardRect() const
{
    return { m_margin, m_margin, cardSize, cardSize };
}

void PopupWindow::centreOn(QPoint centre)
{
    move(centre.x() - cardSize / 2 - m_margin, centre.y() - cardSize / 2 - m_margin);
}

void PopupWindow::release()
{
    if (--m_holds == 0 && m_retired)
        deleteLater();
}

void PopupWindow::retire()
{
    hide();
    m_retired = true;
    if (m_holds == 0)
        deleteLater();
}

void PopupWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_margin > 0)
        paintShadow(painter);

    QColor background = palette().color(QPalette::Window);
    if (m_translucent)
        background.setAlphaF(backgroundOpacity);
    QColor border = palette().color(QPalette::WindowText);
    border.setAlpha(40);
    painter.setPen(QPen(border, 1));
    painter.setBrush(background);
    painter.drawRoundedRect(QRectF(cardRect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius, cornerRadius);
}

void PopupWindow::paintShadow(QPainter &painter) const
{
    painter.save();
    // Only around the card: through its translucent background the shadow would darken it.
    QPainterPath around;
    around.addRect(QRectF(rect()));
    QPainterPath card;
    card.addRoundedRect(QRectF(cardRect()), cornerRadius, cornerRadius);
    painter.setClipPath(around.subtracted(card));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, shadowLayerAlpha));
    const QRectF shadow = QRectF(cardRect()).translated(0, shadowOffsetY);
    for (int grow = m_margin - shadowOffsetY; grow > 0; --grow) {
        const qreal radius = cornerRadius + grow;
        painter.drawRoundedRect(shadow.adjusted(-grow, -grow, grow, grow), radius, radius);
    }
    painter.restore();
}

} // namespace kavri
