// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// Kavri's default category ("kavri"), for the plugin, which does not link Kavri's platform library.
Q_DECLARE_LOGGING_CATEGORY(lcNewsView)
