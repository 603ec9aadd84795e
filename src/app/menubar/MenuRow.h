// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>

namespace kavri {

// One row of Kavri's window: a symbol, a title and, at the trailing end, a hint text or a
// symbol. Highlighted while hovered or while the window's keyboard focus is on it; never takes
// the toolkit's focus, the window keeps its own.
class MenuRow : public QAbstractButton
{
    Q_OBJECT

public:
    MenuRow(const QString &symbol, const QString &title, QWidget *parent = nullptr);

    void setHint(const QString &hint);
    QString hint() const { return m_hint; }
    // Shown instead of a hint, e.g. the chevron of a row that opens a submenu.
    void setTrailingSymbol(const QString &symbol);
    // The window's own focus, or an open submenu.
    void setMarked(bool marked);
    bool isHovered() const { return m_hovered; }
    bool isHighlighted() const { return m_hovered || m_marked; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QString m_symbol;
    QString m_hint;
    QString m_trailingSymbol;
    bool m_marked = false;
    bool m_hovered = false;
};

} // namespace kavri
