// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyTable.h"

#include <algorithm>

namespace kavri::KeyboardShortcuts::KeyTable {

namespace {

// Sorted by key code. Letters, digits and punctuation as a US keyboard has them; the keypad keys
// are those with NumLock on.
constexpr Key keys[] = {
    { 0, 0x61, Qt::Key_A },
    { 1, 0x73, Qt::Key_S },
    { 2, 0x64, Qt::Key_D },
    { 3, 0x66, Qt::Key_F },
    { 4, 0x68, Qt::Key_H },
    { 5, 0x67, Qt::Key_G },
    { 6, 0x7a, Qt::Key_Z },
    { 7, 0x78, Qt::Key_X },
    { 8, 0x63, Qt::Key_C },
    { 9, 0x76, Qt::Key_V },
    { 11, 0x62, Qt::Key_B },
    { 12, 0x71, Qt::Key_Q },
    { 13, 0x77, Qt::Key_W },
    { 14, 0x65, Qt::Key_E },
    { 15, 0x72, Qt::Key_R },
    { 16, 0x79, Qt::Key_Y },
    { 17, 0x74, Qt::Key_T },
    { 18, 0x31, Qt::Key_1 },
    { 19, 0x32, Qt::Key_2 },
    { 20, 0x33, Qt::Key_3 },
    { 21, 0x34, Qt::Key_4 },
    { 22, 0x36, Qt::Key_6 },
    { 23, 0x35, Qt::Key_5 },
    { 24, 0x3d, Qt::Key_Equal },
    { 25, 0x39, Qt::Key_9 },
    { 26, 0x37, Qt::Key_7 },
    { 27, 0x2d, Qt::Key_Minus },
    { 28, 0x38, Qt::Key_8 },
    { 29, 0x30, Qt::Key_0 },
    { 30, 0x5d, Qt::Key_BracketRight },
    { 31, 0x6f, Qt::Key_O },
    { 32, 0x75, Qt::Key_U },
    { 33, 0x5b, Qt::Key_BracketLeft },
    { 34, 0x69, Qt::Key_I },
    { 35, 0x70, Qt::Key_P },
    { 36, 0xff0d, Qt::Key_Return },
    { 37, 0x6c, Qt::Key_L },
    { 38, 0x6a, Qt::Key_J },
    { 39, 0x27, Qt::Key_Apostrophe },
    { 40, 0x6b, Qt::Key_K },
    { 41, 0x3b, Qt::Key_Semicolon },
    { 42, 0x5c, Qt::Key_Backslash },
    { 43, 0x2c, Qt::Key_Comma },
    { 44, 0x2f, Qt::Key_Slash },
    { 45, 0x6e, Qt::Key_N },
    { 46, 0x6d, Qt::Key_M },
    { 47, 0x2e, Qt::Key_Period },
    { 48, 0xff09, Qt::Key_Tab },
    { 49, 0x20, Qt::Key_Space },
    { 50, 0x60, Qt::Key_QuoteLeft },
    { 51, 0xff08, Qt::Key_Backspace },
    { 53, 0xff1b, Qt::Key_Escape },
    { 64, 0xffce, Qt::Key_F17 },
    { 65, 0xffae, Qt::Key_Period, true },
    { 67, 0xffaa, Qt::Key_Asterisk, true },
    { 69, 0xffab, Qt::Key_Plus, true },
    { 71, 0xff0b, Qt::Key_Clear, true },
    { 75, 0xffaf, Qt::Key_Slash, true },
    { 76, 0xff8d, Qt::Key_Enter, true },
    { 78, 0xffad, Qt::Key_Minus, true },
    { 79, 0xffcf, Qt::Key_F18 },
    { 80, 0xffd0, Qt::Key_F19 },
    { 81, 0xffbd, Qt::Key_Equal, true },
    { 82, 0xffb0, Qt::Key_0, true },
    { 83, 0xffb1, Qt::Key_1, true },
    { 84, 0xffb2, Qt::Key_2, true },
    { 85, 0xffb3, Qt::Key_3, true },
    { 86, 0xffb4, Qt::Key_4, true },
    { 87, 0xffb5, Qt::Key_5, true },
    { 88, 0xffb6, Qt::Key_6, true },
    { 89, 0xffb7, Qt::Key_7, true },
    { 90, 0xffd1, Qt::Key_F20 },
    { 91, 0xffb8, Qt::Key_8, true },
    { 92, 0xffb9, Qt::Key_9, true },
    { 96, 0xffc2, Qt::Key_F5 },
    { 97, 0xffc3, Qt::Key_F6 },
    { 98, 0xffc4, Qt::Key_F7 },
    { 99, 0xffc0, Qt::Key_F3 },
    { 100, 0xffc5, Qt::Key_F8 },
    { 101, 0xffc6, Qt::Key_F9 },
    { 103, 0xffc8, Qt::Key_F11 },
    { 105, 0xffca, Qt::Key_F13 },
    { 106, 0xffcd, Qt::Key_F16 },
    { 107, 0xffcb, Qt::Key_F14 },
    { 109, 0xffc7, Qt::Key_F10 },
    { 111, 0xffc9, Qt::Key_F12 },
    { 113, 0xffcc, Qt::Key_F15 },
    { 114, 0xff6a, Qt::Key_Help },
    { 115, 0xff50, Qt::Key_Home },
    { 116, 0xff55, Qt::Key_PageUp },
    { 117, 0xffff, Qt::Key_Delete },
    { 118, 0xffc1, Qt::Key_F4 },
    { 119, 0xff57, Qt::Key_End },
    { 120, 0xffbf, Qt::Key_F2 },
    { 121, 0xff56, Qt::Key_PageDown },
    { 122, 0xffbe, Qt::Key_F1 },
    { 123, 0xff51, Qt::Key_Left },
    { 124, 0xff53, Qt::Key_Right },
    { 125, 0xff54, Qt::Key_Down },
    { 126, 0xff52, Qt::Key_Up },
};

} // namespace

std::optional<Key> byCarbonKeyCode(int carbonKeyCode)
{
    const auto found = std::lower_bound(std::begin(keys), std::end(keys), carbonKeyCode,
        [](const Key &key, int code) { return key.carbonKeyCode < code; });
    if (found == std::end(keys) || found->carbonKeyCode != carbonKeyCode)
        return std::nullopt;
    return *found;
}

std::optional<Key> byKeysym(std::uint32_t keysym)
{
    const auto found
        = std::find_if(std::begin(keys), std::end(keys), [keysym](const Key &key) { return key.keysym == keysym; });
    return found == std::end(keys) ? std::nullopt : std::optional<Key>(*found);
}

std::optional<Key> byQtKey(Qt::Key qtKey, bool keypad)
{
    const auto found = std::find_if(
        std::begin(keys), std::end(keys), [&](const Key &key) { return key.qtKey == qtKey && key.keypad == keypad; });
    return found == std::end(keys) ? std::nullopt : std::optional<Key>(*found);
}

} // namespace kavri::KeyboardShortcuts::KeyTable
