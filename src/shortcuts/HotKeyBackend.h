// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include "Shortcut.h"

namespace kavri::KeyboardShortcuts {

// The desktop's global key service: registers combinations so that they reach Kavri whichever
// window is in front, and reports when one is pressed or released. Main thread only.
class HotKeyBackend : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // 0 when the combination is registered under \a id; otherwise a status for the diagnostic
    // line, and nothing is registered.
    virtual int registerHotKey(const Shortcut &shortcut, quint32 id) = 0;
    virtual void unregisterHotKey(quint32 id) = 0;

Q_SIGNALS:
    void hotKeyPressed(quint32 id);
    // Once per press, however long the keys were held.
    void hotKeyReleased(quint32 id);
};

} // namespace kavri::KeyboardShortcuts
