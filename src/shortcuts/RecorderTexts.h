// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <utility>

#include <QString>

// Every text the shortcut recorder shows, by key, in one table.
namespace kavri::KeyboardShortcuts::RecorderTexts {

inline constexpr std::array<std::pair<QStringView, QStringView>, 7> table { {
    { u"record_shortcut", u"Record Shortcut" },
    { u"press_shortcut", u"Press Shortcut" },
    { u"ok", u"OK" },
    { u"force_use_shortcut", u"Use Anyway" },
    // %1 is the title of the menu action.
    { u"keyboard_shortcut_used_by_menu_item",
        u"This keyboard shortcut cannot be used as it\u2019s already used by the \u201c%1\u201d menu item." },
    { u"keyboard_shortcut_used_by_system",
        u"This keyboard shortcut cannot be used as it\u2019s already taken by another application." },
    { u"keyboard_shortcuts_can_be_changed",
        u"Most desktops let you change or free their keyboard shortcuts in the keyboard settings." },
} };

inline QString text(QStringView key)
{
    for (const auto &[entry, value] : table)
        if (entry == key)
            return value.toString();
    return key.toString();
}

} // namespace kavri::KeyboardShortcuts::RecorderTexts
