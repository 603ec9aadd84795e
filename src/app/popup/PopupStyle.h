// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

#include "PopupType.h"

namespace kavri {

// Compact: symbol and title centred, for results that carry nothing to read. Detailed: a header,
// a scrolling body and a footer with the copy confirmation and the actions.
enum class PopupLayout : quint8 { compact, detailed };

// How a card of one type looks.
struct PopupStyle
{
    QString title;
    QString symbol;
    QColor color;
    PopupLayout layout;
};

// Colours come from \a palette (accent, secondary), or are shades of red and orange chosen to
// read on its window colour.
PopupStyle popupStyle(PopupType type, const QPalette &palette);

// Grey text for labels that step back: the palette's placeholder text colour.
QColor secondaryColor(const QPalette &palette);
// The smaller font of captions and hints.
QFont captionFont(QFont font);

// The card's own texts beyond the titles.
namespace PopupTexts {
inline constexpr QStringView openSystemSettings = u"Open System Settings";
} // namespace PopupTexts

namespace PopupSymbols {
inline constexpr QStringView close = u"xmark.circle.fill";
inline constexpr QStringView settings = u"gear";
} // namespace PopupSymbols

} // namespace kavri
