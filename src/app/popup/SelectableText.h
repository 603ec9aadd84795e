// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTextEdit>

namespace kavri {

// Read-only text the user can select and copy, as tall as its wrapped content and without a
// background of its own. Unlike a label it also breaks words longer than a line (links,
// passwords), so nothing is cut off at the card's edge.
class SelectableText : public QTextEdit
{
    Q_OBJECT

public:
    explicit SelectableText(const QString &text, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    void fitHeightToContent();
};

} // namespace kavri
