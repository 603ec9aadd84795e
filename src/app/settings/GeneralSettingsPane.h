// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

namespace kavri {

class LaunchAtLogin;
class SettingsViewModel;

// Start at login, news, sounds, the tray icon's style, the result popup and its duration, and
// the way to the desktop's screen capture permissions.
class GeneralSettingsPane : public QWidget
{
    Q_OBJECT

public:
    // The slider counts half seconds.
    static constexpr int sliderMinimum = 2;
    static constexpr int sliderMaximum = 30;

    GeneralSettingsPane(SettingsViewModel &model, LaunchAtLogin &launchAtLogin, QWidget *parent = nullptr);

    QCheckBox *launchAtLoginToggle() const { return m_launchAtLogin; }
    QCheckBox *showNewsToggle() const { return m_showNews; }
    QCheckBox *soundToggle() const { return m_sound; }
    QCheckBox *popupToggle() const { return m_popup; }
    QWidget *durationRow() const { return m_durationRow; }
    QSlider *durationSlider() const { return m_slider; }
    QLabel *durationText() const { return m_durationText; }
    QButtonGroup *iconTiles() const { return m_tiles; }
    QPushButton *permissionsButton() const { return m_permissions; }

    // Shows the settings as they are now.
    void refresh();

private:
    QWidget *buildTiles();
    QWidget *buildDurationRow();

    SettingsViewModel &m_model;
    LaunchAtLogin &m_launchAtLoginState;
    QCheckBox *m_launchAtLogin;
    QCheckBox *m_showNews;
    QCheckBox *m_sound;
    QButtonGroup *m_tiles;
    QCheckBox *m_popup;
    QWidget *m_durationRow = nullptr;
    QSlider *m_slider = nullptr;
    QLabel *m_durationText = nullptr;
    QPushButton *m_permissions;
};

} // namespace kavri
