// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

namespace kavri {

// What a result card reports; selects its title, symbol, colour and layout.
enum class PopupType : quint8 {
    success,
    qrCode,
    error,
    cancelled,
    noTextFound,
    noQRCodeFound,
    permissionDenied,
};

} // namespace kavri
