// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QByteArray>
#include <QKeyCombination>
#include <QString>

namespace kavri::KeyboardShortcuts {

// Modifier bits of the stored form. They keep the values of the original key-code encoding so
// that stored shortcuts stay readable wherever they were written.
enum CarbonModifier : int {
    command = 0x100,
    shift = 0x200,
    option = 0x800,
    control = 0x1000,
    function = 0x20000,
};

// One key combination: a key position code and a modifier mask, both in the stored encoding.
// On Linux, Command is Ctrl, Control is Super and Option is Alt, as Qt maps them.
struct Shortcut
{
    int carbonKeyCode = 0;
    int carbonModifiers = 0;

    friend bool operator==(const Shortcut &, const Shortcut &) = default;

    // The stored form: {"carbonKeyCode":28,"carbonModifiers":768}.
    QByteArray toJson() const;
    // Only an object with exactly the two integer members yields a shortcut.
    static std::optional<Shortcut> fromJson(const QByteArray &json);

    // From a Qt key and modifiers (a key event, a recorder). None for keys the stored form cannot
    // name.
    static std::optional<Shortcut> fromQt(QKeyCombination combination);
    // The Qt key and modifiers; none for a key code outside the key table. Function has no Qt
    // modifier and is left out.
    std::optional<QKeyCombination> toQt() const;

    // What the desktop shows for it, e.g. "Ctrl+Shift+8"; "Fn+" leads when Function is held,
    // U+FFFD stands for a key code outside the key table.
    QString description() const;
};

} // namespace kavri::KeyboardShortcuts
