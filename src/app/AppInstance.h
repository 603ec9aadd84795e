// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include "AppRequest.h"

namespace kavri::AppInstance {

// Runs Kavri in the user's session: becomes the one running instance and performs \a requests
// once started, or hands them to the instance already running and returns at once. Returns the
// process exit code.
int run(int &argc, char **argv, const QList<AppRequest> &requests);

} // namespace kavri::AppInstance
