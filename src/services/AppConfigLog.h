// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// The remote configuration's own log category ("kavri.AppConfig").
Q_DECLARE_LOGGING_CATEGORY(lcAppConfig)
