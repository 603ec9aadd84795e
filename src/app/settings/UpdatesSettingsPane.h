// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;

namespace kavri {

class SettingsViewModel;

// Automatic update checks, the result of the last check, and a check on demand.
class UpdatesSettingsPane : public QWidget
{
    Q_OBJECT

public:
    explicit UpdatesSettingsPane(SettingsViewModel &model, QWidget *parent = nullptr);

    QCheckBox *automaticToggle() const { return m_automatic; }
    QCheckBox *betaToggle() const { return m_beta; }
    QLabel *statusText() const { return m_status; }
    QLabel *lastCheckedText() const { return m_lastChecked; }
    QPushButton *checkNowButton() const { return m_checkNow; }

    void refresh();

private:
    SettingsViewModel &m_model;
    QCheckBox *m_automatic;
    QCheckBox *m_beta;
    QLabel *m_status;
    QLabel *m_lastChecked;
    QPushButton *m_checkNow;
};

} // namespace kavri
