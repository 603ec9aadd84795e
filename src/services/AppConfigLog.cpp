// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppConfigLog.h"

Q_LOGGING_CATEGORY(lcAppConfig, "kavri.AppConfig")
