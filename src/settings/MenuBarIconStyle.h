// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>

#include <QStringView>

namespace kavri {

// The tray icon's style, stored and compared by its raw string.
enum class MenuBarIconStyle { custom, textViewfinder, qrcodeViewfinder, viewfinder, aSquare, scope };

namespace MenuBarIconStyles {

inline constexpr std::array<std::pair<MenuBarIconStyle, QStringView>, 6> rawValues { {
    { MenuBarIconStyle::custom, u"custom" },
    { MenuBarIconStyle::textViewfinder, u"textViewfinder" },
    { MenuBarIconStyle::qrcodeViewfinder, u"qrcodeViewfinder" },
    { MenuBarIconStyle::viewfinder, u"viewfinder" },
    { MenuBarIconStyle::aSquare, u"aSquare" },
    { MenuBarIconStyle::scope, u"scope" },
} };

inline QStringView rawValue(MenuBarIconStyle style)
{
    for (const auto &[value, raw] : rawValues)
        if (value == style)
            return raw;
    return u"custom";
}

inline std::optional<MenuBarIconStyle> fromRawValue(QStringView raw)
{
    for (const auto &[value, text] : rawValues)
        if (text == raw)
            return value;
    return std::nullopt;
}

// The symbol the tray shows at rest in this style (the custom style draws its own image instead).
inline QStringView defaultSymbolName(MenuBarIconStyle style)
{
    switch (style) {
    case MenuBarIconStyle::qrcodeViewfinder:
        return u"qrcode.viewfinder";
    case MenuBarIconStyle::viewfinder:
        return u"viewfinder";
    case MenuBarIconStyle::aSquare:
        return u"a.square";
    case MenuBarIconStyle::scope:
        return u"scope";
    case MenuBarIconStyle::custom:
    case MenuBarIconStyle::textViewfinder:
        break;
    }
    return u"text.viewfinder";
}

} // namespace MenuBarIconStyles
} // namespace kavri
