// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

#include <QKeyCombination>

// The keys a stored shortcut can name: the stored key code (a key position on a US keyboard),
// the X keysym that key produces without modifiers, and Qt's key for it.
namespace kavri::KeyboardShortcuts::KeyTable {

struct Key
{
    int carbonKeyCode;
    std::uint32_t keysym;
    Qt::Key qtKey;
    bool keypad = false;
};

std::optional<Key> byCarbonKeyCode(int carbonKeyCode);
std::optional<Key> byKeysym(std::uint32_t keysym);
// Keypad keys share Qt keys with the main keys; \a keypad tells them apart.
std::optional<Key> byQtKey(Qt::Key key, bool keypad);

} // namespace kavri::KeyboardShortcuts::KeyTable
