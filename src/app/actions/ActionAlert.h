// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace kavri {

struct ActionFailure;

// The warning alert for a failed action: the failure's title as its text, the message as its
// informative text, one "OK" button. Modal; returns when the user has closed it.
void showActionFailure(const ActionFailure &failure, QWidget *parent = nullptr);

} // namespace kavri
