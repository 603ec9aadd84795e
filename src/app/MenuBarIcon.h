// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

#include "settings/MenuBarIconStyle.h"

namespace kavri {

// The tray's image: at rest in the custom style, Kavri's own 22 px "MenuBarIcon"; otherwise, and
// for every flash, the named symbol. Both are monochrome, tinted with \a tint.
struct MenuBarIcon
{
    QString symbolName;
    MenuBarIconStyle iconStyle = MenuBarIconStyle::custom;

    QIcon image(const QColor &tint = {}) const;
};

} // namespace kavri
