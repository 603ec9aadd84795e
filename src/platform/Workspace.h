// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QUrl>

// The desktop's default applications: links, mail, phone and message addresses, and files open
// in whatever the user has chosen for them.
namespace kavri::Workspace {

// Whether the desktop took it; failures are logged. Main thread only.
bool openUrl(const QUrl &url);

// Whether some application on this desktop opens links of \a scheme ("tel"), as xdg-mime tells;
// none when that cannot be told (no xdg-mime).
std::optional<bool> hasHandlerFor(const QString &scheme);

// The desktop's settings page where screen sharing / screenshot permissions are granted, when
// this desktop has one Kavri knows how to open; none otherwise.
std::optional<QUrl> screenCaptureSettingsUrl();

} // namespace kavri::Workspace
