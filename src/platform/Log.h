// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// Kavri's default log category ("kavri"): the capture pipeline, the settings and their store.
Q_DECLARE_LOGGING_CATEGORY(lcKavri)
// Start-up, the running instance and the requests that reach it ("kavri.main").
Q_DECLARE_LOGGING_CATEGORY(lcMain)
