// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QMenu;
class QScrollArea;
class QToolButton;

namespace kavri {

// The last capture in Kavri's window: its text in a box that scrolls rather than grows past
// maximumTextHeight, a tap on which shows the result again, and the "More..." menu.
class LastCapturedSection : public QWidget
{
    Q_OBJECT

public:
    static constexpr int maximumTextHeight = 120;

    explicit LastCapturedSection(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const;
    QMenu &moreMenu() { return *m_moreMenu; }
    QScrollArea &textBox() { return *m_textBox; }

Q_SIGNALS:
    void textTapped();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitTextBox();

    QScrollArea *m_textBox;
    QLabel *m_text;
    QToolButton *m_more;
    QMenu *m_moreMenu;
};

} // namespace kavri
