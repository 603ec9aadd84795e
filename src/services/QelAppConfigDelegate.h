// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kavri {

class QelAppConfig;

// Told once, on the main thread, when the first download attempt of the process has ended
// (successfully or not) and the configuration answers from its document.
class QelAppConfigDelegate
{
public:
    virtual ~QelAppConfigDelegate() = default;
    virtual void appConfigDelegateIsReady(QelAppConfig &config) { static_cast<void>(config); }
};

} // namespace kavri
