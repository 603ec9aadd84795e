// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace kavri {

// The rows of Kavri's window that the arrow keys move between, in navigation order.
enum class FocusedItem { captureText, captureQR, captureImport, settings, quit };

// One step forward or backward with wrap-around; from nothing, forward starts at the top and
// backward at the bottom.
constexpr FocusedItem moveFocus(std::optional<FocusedItem> current, bool forward)
{
    constexpr int count = static_cast<int>(FocusedItem::quit) + 1;
    if (!current)
        return forward ? FocusedItem::captureText : FocusedItem::quit;
    const int index = static_cast<int>(*current) + (forward ? 1 : -1);
    return static_cast<FocusedItem>((index + count) % count);
}

} // namespace kavri
