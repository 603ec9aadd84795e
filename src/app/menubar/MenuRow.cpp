// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MenuRow.h"

#include <QPainter>
#include <QPainterPath>

#include "app/popup/PopupStyle.h"
#include "platform/SymbolImage.h"

namespace kavri {

namespace {

constexpr int horizontalPadding = 8;
constexpr int verticalPadding = 4;
constexpr int symbolSize = 16;
constexpr int spacing = 8;
constexpr qreal cornerRadius = 4;

} // namespace

MenuRow::MenuRow(const QString &symbol, const QString &title, QWidget *parent)
    : QAbstractButton(parent)
    , m_symbol(symbol)
{
    setText(title);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(title);
}

void MenuRow::setHint(const QString &hint)
{
    m_hint = hint;
    update();
}

void MenuRow::setTrailingSymbol(const QString &symbol)
{
    m_trailingSymbol = symbol;
    update();
}

void MenuRow::setMarked(bool marked)
{
    if (m_marked == marked)
        return;
    m_marked = marked;
    update();
}

QSize MenuRow::sizeHint() const
{
    const int textHeight = fontMetrics().height();
    const int width = horizontalPadding * 2 + symbolSize + spacing + fontMetrics().horizontalAdvance(text()) + spacing
        + QFontMetrics(captionFont(font())).horizontalAdvance(m_hint);
    return { width, std::max(textHeight, symbolSize) + verticalPadding * 2 };
}

void MenuRow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette &pal = palette();
    if (isHighlighted()) {
        QColor fill = secondaryColor(pal);
        fill.setAlphaF(0.2);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
        painter.fillPath(shape, fill);
    }
    const QColor ink
        = isEnabled() ? pal.color(QPalette::WindowText) : pal.color(QPalette::Disabled, QPalette::WindowText);
    QRect content = rect().adjusted(horizontalPadding, verticalPadding, -horizontalPadding, -verticalPadding);

    const QRect symbolRect(content.left(), content.center().y() - symbolSize / 2 + 1, symbolSize, symbolSize);
    painter.drawPixmap(symbolRect, SymbolImage::pixmap(m_symbol, symbolSize, ink, devicePixelRatioF()));
    content.setLeft(symbolRect.right() + 1 + spacing);

    if (!m_trailingSymbol.isEmpty()) {
        constexpr int chevron = 12;
        const QRect trailing(content.right() - chevron + 1, content.center().y() - chevron / 2 + 1, chevron, chevron);
        painter.drawPixmap(trailing, SymbolImage::pixmap(m_trailingSymbol, chevron, ink, devicePixelRatioF()));
        content.setRight(trailing.left() - spacing);
    } else if (!m_hint.isEmpty()) {
        painter.setFont(captionFont(font()));
        painter.setPen(secondaryColor(pal));
        const int hintWidth = painter.fontMetrics().horizontalAdvance(m_hint);
        painter.drawText(content, Qt::AlignRight | Qt::AlignVCenter, m_hint);
        content.setRight(content.right() - hintWidth - spacing);
        painter.setFont(font());
    }
    painter.setPen(ink);
    painter.drawText(
        content, Qt::AlignLeft | Qt::AlignVCenter, fontMetrics().elidedText(text(), Qt::ElideRight, content.width()));
}

void MenuRow::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void MenuRow::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace kavri
