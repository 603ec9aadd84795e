// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Log.h"

Q_LOGGING_CATEGORY(lcKavri, "kavri")
Q_LOGGING_CATEGORY(lcMain, "kavri.main")
