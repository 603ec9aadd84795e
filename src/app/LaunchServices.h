// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kavri {

// The background services Kavri starts once it is up, in the order it calls them. Each does
// nothing until its service exists.
class LaunchServices
{
public:
    virtual ~LaunchServices() = default;
    virtual void startUpdateChecks() { }
    virtual void loadRemoteConfiguration() { }
    virtual void recordLaunch() { }
    // Looks for news at start and shows it when it answers.
    virtual void showNewsIfAny() { }
};

} // namespace kavri
