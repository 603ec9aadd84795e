// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace kavri {

class AppSettings;

// A small settings window with the everyday switches and the shortcuts in use. Closing it only
// hides it.
class BasicSettingsWindow : public QWidget
{
    Q_OBJECT

public:
    explicit BasicSettingsWindow(AppSettings &settings, QWidget *parent = nullptr);

    void showAndRaise();
};

} // namespace kavri
