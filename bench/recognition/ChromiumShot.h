// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>

namespace kavri {

// Debian's headless Chromium, or empty when it is not installed.
QString findChromium();

// Screenshots the page \a html (a file) into \a png: a viewport of \a size CSS px at device scale
// \a scale. With \a subpixel, fonts get colour (RGB) antialiasing and full hinting through a
// fontconfig file of their own; otherwise the system's greyscale defaults. Every run starts from a
// new, empty profile. Returns whether the screenshot was written.
bool screenshotPage(
    const QString &chromium, const QString &html, const QString &png, QSize size, int scale, bool subpixel);

} // namespace kavri
