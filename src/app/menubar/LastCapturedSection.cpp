// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LastCapturedSection.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AppTexts.h"
#include "app/popup/PopupStyle.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

constexpr int boxPadding = 8;

QLabel *captionLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(captionFont(label->font()));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, secondaryColor(pal));
    label->setPalette(pal);
    return label;
}

} // namespace

LastCapturedSection::LastCapturedSection(QWidget *parent)
    : QWidget(parent)
    , m_textBox(new QScrollArea(this))
    , m_text(new QLabel(this))
    , m_more(new QToolButton(this))
    , m_moreMenu(new QMenu(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    auto *divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    layout->addWidget(divider);

    auto *stack = new QVBoxLayout;
    stack->setSpacing(4);
    stack->addWidget(captionLabel(AppTexts::MenuBar::lastCaptured.toString(), this));

    m_text->setFont(captionFont(m_text->font()));
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setContentsMargins(boxPadding, boxPadding, boxPadding, boxPadding);
    m_text->setCursor(Qt::PointingHandCursor);
    m_textBox->setObjectName(u"lastCapturedText"_s);
    m_textBox->setWidget(m_text);
    m_textBox->setWidgetResizable(true);
    m_textBox->setFrameShape(QFrame::NoFrame);
    m_textBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_textBox->setFocusPolicy(Qt::NoFocus);
    QColor tint = secondaryColor(palette());
    tint.setAlphaF(0.1);
    m_textBox->setStyleSheet(u"QScrollArea#lastCapturedText, QScrollArea#lastCapturedText > QWidget > QWidget "
                             u"{ background: transparent; }"_s);
    m_text->setStyleSheet(u"QLabel { background-color: %1; border-radius: 6px; }"_s.arg(tint.name(QColor::HexArgb)));
    m_text->installEventFilter(this);
    m_textBox->viewport()->installEventFilter(this);
    stack->addWidget(m_textBox);
    layout->addLayout(stack);

    m_more->setText(AppTexts::MenuBar::more.toString());
    m_more->setFont(captionFont(m_more->font()));
    m_more->setAutoRaise(true);
    m_more->setFocusPolicy(Qt::NoFocus);
    m_more->setPopupMode(QToolButton::InstantPopup);
    m_more->setMenu(m_moreMenu);
    m_more->setStyleSheet(u"QToolButton { border: none; } QToolButton::menu-indicator { image: none; width: 0; }"_s);
    layout->addWidget(m_more, 0, Qt::AlignRight);
}

void LastCapturedSection::setText(const QString &text)
{
    m_text->setText(text);
    fitTextBox();
}

QString LastCapturedSection::text() const
{
    return m_text->text();
}

bool LastCapturedSection::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        Q_EMIT textTapped();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void LastCapturedSection::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitTextBox();
}

// As tall as the text, up to the cap; longer texts scroll.
void LastCapturedSection::fitTextBox()
{
    const int width = std::max(1, m_textBox->width() - m_textBox->verticalScrollBar()->sizeHint().width());
    const int wanted = m_text->heightForWidth(width);
    m_textBox->setFixedHeight(std::clamp(wanted, 1, maximumTextHeight));
    updateGeometry();
}

} // namespace kavri
