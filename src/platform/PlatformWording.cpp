// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlatformWording.h"

#include <array>
#include <utility>

namespace kavri::PlatformWording {

namespace {

constexpr std::array<std::pair<QStringView, QStringView>, 1> substitutions { {
    { u"System Settings > Privacy & Security > Screen Recording", u"your desktop's privacy settings for screenshots" },
} };

} // namespace

QString onLinux(QStringView wording)
{
    for (const auto &[original, substitute] : substitutions) {
        if (wording == original)
            return substitute.toString();
    }
    return wording.toString();
}

} // namespace kavri::PlatformWording
