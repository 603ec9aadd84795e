// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MenuBarIcon.h"

#include "platform/SymbolImage.h"

using namespace Qt::StringLiterals;

namespace kavri {

QIcon MenuBarIcon::image(const QColor &tint) const
{
    if (iconStyle == MenuBarIconStyle::custom && symbolName == u"text.viewfinder") {
        const QIcon own = SymbolImage::namedImage(u"MenuBarIcon"_s, tint);
        if (!own.isNull())
            return own;
    }
    // An unknown symbol gives an empty image, never an error.
    return SymbolImage::icon(symbolName, tint);
}

} // namespace kavri
