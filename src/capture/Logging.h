// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// The capture pipeline logs to Kavri's default category.
Q_DECLARE_LOGGING_CATEGORY(lcCapture)
