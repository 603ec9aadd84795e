// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kavri {

// The beta feed that lies beside the configured one: the first "appcast.xml" becomes
// "beta/appcast.xml"; an address without it is used unchanged.
QString betaFeedAddress(const QString &configuredFeed);

} // namespace kavri
