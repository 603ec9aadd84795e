// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QString>

namespace kavri {

// What a shortcut, the command line or a second start asks of the running Kavri.
enum class AppRequest {
    activate, // a second plain start
    captureText,
    captureQRCode,
    toggleMenu,
    importClipboard,
};

namespace AppRequests {

// The name that travels to the running instance, e.g. "capture-text".
QString name(AppRequest request);
std::optional<AppRequest> fromName(QStringView name);
// "--capture-text" and its siblings.
std::optional<AppRequest> fromOption(QStringView option);

} // namespace AppRequests

} // namespace kavri
