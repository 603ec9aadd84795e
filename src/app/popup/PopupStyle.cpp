// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PopupStyle.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

bool isDark(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightness() < 128;
}

// The lighter shades keep their contrast on dark windows.
QColor red(const QPalette &palette)
{
    return isDark(palette) ? QColor(255, 105, 97) : QColor(215, 40, 30);
}

QColor orange(const QPalette &palette)
{
    return isDark(palette) ? QColor(255, 170, 60) : QColor(225, 120, 0);
}

} // namespace

QColor secondaryColor(const QPalette &palette)
{
    return palette.color(QPalette::PlaceholderText);
}

QFont captionFont(QFont font)
{
    font.setPointSizeF(font.pointSizeF() * 0.85);
    return font;
}

PopupStyle popupStyle(PopupType type, const QPalette &palette)
{
    const QColor accent = palette.color(QPalette::Highlight);
    switch (type) {
    case PopupType::success:
        return { u"Text Captured"_s, u"text.viewfinder"_s, accent, PopupLayout::detailed };
    case PopupType::qrCode:
        return { u"QR Code Captured"_s, u"qrcode.viewfinder"_s, accent, PopupLayout::detailed };
    case PopupType::error:
        return { u"Error"_s, u"exclamationmark.triangle.fill"_s, red(palette), PopupLayout::compact };
    case PopupType::cancelled:
        return { u"Capture Cancelled"_s, u"text.badge.xmark"_s, red(palette), PopupLayout::compact };
    case PopupType::noTextFound:
        return { u"No Text Found"_s, u"doc.text.magnifyingglass"_s, secondaryColor(palette), PopupLayout::compact };
    case PopupType::noQRCodeFound:
        return { u"No QR Code Found"_s, u"qrcode"_s, secondaryColor(palette), PopupLayout::compact };
    case PopupType::permissionDenied:
        return { u"Permission Required"_s, u"lock.shield"_s, orange(palette), PopupLayout::detailed };
    }
    // A value outside the enumeration still gets a card that reads as a failure.
    return popupStyle(PopupType::error, palette);
}

} // namespace kavri
