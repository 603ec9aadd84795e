// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LaunchServices.h"

namespace kavri {

// The real background services: update checks, the remote configuration, usage statistics and
// the news page.
class AppLaunchServices : public LaunchServices
{
public:
    void startUpdateChecks() override;
    void loadRemoteConfiguration() override;
    void recordLaunch() override;
    void showNewsIfAny() override;
};

} // namespace kavri
