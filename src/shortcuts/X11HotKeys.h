// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QAbstractNativeEventFilter>
#include <QList>

#include "HotKeyBackend.h"

struct xcb_connection_t;
struct _XCBKeySymbols;

namespace kavri::KeyboardShortcuts {

// Global shortcuts on an X11 display: a passive key grab on the root window per combination
// (and per NumLock/CapsLock state, so that the locks do not matter). While one of Kavri's own
// menus holds the keyboard, the grabs cannot fire; Kavri's own key events stand in for them then.
class X11HotKeys : public HotKeyBackend, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    // Only under Qt's xcb platform.
    static bool isAvailable();

    explicit X11HotKeys(QObject *parent = nullptr);
    ~X11HotKeys() override;

    // X error codes: BadAccess (10) when another client holds the combination, BadValue (2) for a
    // combination X cannot express (the Function modifier, a key this keyboard lacks).
    int registerHotKey(const Shortcut &shortcut, quint32 id) override;
    void unregisterHotKey(quint32 id) override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Grab
    {
        quint32 id;
        Shortcut shortcut;
        quint16 modifiers;
        QList<quint8> keyCodes;
    };

    int grab(Grab &grab);
    void ungrab(const Grab &grab);
    void keyboardMappingChanged();
    void updateNumLockMask();
    QList<quint16> lockVariants() const;
    std::optional<quint32> grabFor(quint8 keyCode, quint16 state) const;
    // Presses and releases of a grabbed combination; auto-repeated presses are dropped.
    bool handleKey(bool press, quint8 keyCode, quint16 state);

    xcb_connection_t *m_connection = nullptr;
    quint32 m_root = 0;
    _XCBKeySymbols *m_symbols = nullptr;
    quint16 m_numLockMask = 0;
    QList<Grab> m_grabs;
    std::optional<quint32> m_downId;
    quint8 m_downKeyCode = 0;
    bool m_mappingChangePending = false;
};

} // namespace kavri::KeyboardShortcuts
