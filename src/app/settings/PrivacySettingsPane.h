// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;

namespace kavri {

class SettingsViewModel;

// Anonymous usage statistics and the privacy policy.
class PrivacySettingsPane : public QWidget
{
    Q_OBJECT

public:
    explicit PrivacySettingsPane(SettingsViewModel &model, QWidget *parent = nullptr);

    // On while the user has not opted out.
    QCheckBox *statisticsToggle() const { return m_statistics; }
    QLabel *policyLink() const { return m_policy; }

    void refresh();

private:
    SettingsViewModel &m_model;
    QCheckBox *m_statistics;
    QLabel *m_policy;
};

} // namespace kavri
