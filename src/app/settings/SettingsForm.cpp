// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsForm.h"

#include <QApplication>

namespace kavri::SettingsForm {

QVBoxLayout *column(QWidget *pane)
{
    pane->setFixedWidth(paneWidth);
    auto *layout = new QVBoxLayout(pane);
    layout->setSizeConstraint(QLayout::SetMinAndMaxSize);
    return layout;
}

QVBoxLayout *section(QVBoxLayout *column, const QString &header)
{
    auto *group = new QGroupBox(header);
    column->addWidget(group);
    return new QVBoxLayout(group);
}

QLabel *caption(const QString &text)
{
    auto *label = new QLabel(text);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::PlaceholderText));
    label->setPalette(palette);
    return label;
}

QHBoxLayout *centred(QWidget *widget)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(widget);
    row->addStretch();
    return row;
}

QHBoxLayout *trailing(QWidget *widget)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(widget);
    return row;
}

} // namespace kavri::SettingsForm
