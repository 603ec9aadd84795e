// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QMap>

#include "shortcuts/HotKeyBackend.h"

namespace kavri::test {

// A global key service that records what is registered, refuses the combinations it is told
// to, and fires on request: the seam for what a real X server cannot be made to do on cue.
class FakeHotKeys : public KeyboardShortcuts::HotKeyBackend
{
public:
    QMap<quint32, KeyboardShortcuts::Shortcut> registered;
    QMap<int, int> refusedKeyCodes; // key code → status
    int registrations = 0;

    int registerHotKey(const KeyboardShortcuts::Shortcut &shortcut, quint32 id) override
    {
        ++registrations;
        if (const int status = refusedKeyCodes.value(shortcut.carbonKeyCode))
            return status;
        registered.insert(id, shortcut);
        return 0;
    }
    void unregisterHotKey(quint32 id) override { registered.remove(id); }

    // Presses and releases the registered combination, as a user would.
    bool type(const KeyboardShortcuts::Shortcut &shortcut)
    {
        const quint32 id = registered.key(shortcut, 0);
        if (id == 0)
            return false;
        Q_EMIT hotKeyPressed(id);
        Q_EMIT hotKeyReleased(id);
        return true;
    }
};

} // namespace kavri::test
