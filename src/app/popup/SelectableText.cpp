// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SelectableText.h"

#include <cmath>

#include <QAbstractTextDocumentLayout>

namespace kavri {

SelectableText::SelectableText(const QString &text, QWidget *parent)
    : QTextEdit(parent)
{
    setReadOnly(true);
    setAcceptRichText(false);
    setPlainText(text);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The surrounding scroll area scrolls; this one only grows.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    viewport()->setAutoFillBackground(false);
    setAutoFillBackground(false);
    document()->setDocumentMargin(0);
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
        &SelectableText::fitHeightToContent);
    fitHeightToContent();
}

QSize SelectableText::sizeHint() const
{
    return { QTextEdit::sizeHint().width(), height() };
}

QSize SelectableText::minimumSizeHint() const
{
    return { fontMetrics().averageCharWidth() * 4, height() };
}

void SelectableText::fitHeightToContent()
{
    const int contentHeight = int(std::ceil(document()->size().height()));
    const int lineHeight = fontMetrics().lineSpacing();
    setFixedHeight(std::max(contentHeight, lineHeight) + 2 * frameWidth());
}

} // namespace kavri
