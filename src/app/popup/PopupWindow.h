// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace kavri {

// The floating window that carries one card: frameless, above other windows, without a taskbar
// entry, a 400 × 400 rounded card painted in the palette's window colour. Where the desktop
// composites windows the card is slightly see-through and casts a soft shadow into a transparent
// margin; on an X server without a compositing manager, translucency would show as black, so
// the card is opaque, shaped to its rounded corners and without shadow.
class PopupWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int cardSize = 400;
    static constexpr int cornerRadius = 25;

    // \a content fills the card and becomes the window's child.
    explicit PopupWindow(QWidget *content, const QString &title);

    // The card inside the window; the rest of the window is its shadow.
    QRect cardRect() const;
    bool hasShadow() const { return m_margin > 0; }
    // Places the window so that the card's centre is \a centre (global coordinates).
    void centreOn(QPoint centre);

    // While a modal alert hangs from this window it must not be deleted: retire() then only hides
    // it, and the last release() deletes it.
    void hold() { ++m_holds; }
    void release();
    bool isHeld() const { return m_holds > 0; }
    // Hides the window and deletes it as soon as nothing holds it.
    void retire();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintShadow(QPainter &painter) const;

    int m_margin = 0;
    bool m_translucent = false;
    int m_holds = 0;
    bool m_retired = false;
};

} // namespace kavri
