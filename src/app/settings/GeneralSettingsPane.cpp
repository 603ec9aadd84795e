// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GeneralSettingsPane.h"

#include <cmath>

#include <QButtonGroup>
#include <QCheckBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

#include "SettingsForm.h"
#include "SettingsTexts.h"
#include "SettingsViewModel.h"
#include "platform/SymbolImage.h"
#include "settings/AppSettings.h"
#include "settings/LaunchAtLogin.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

constexpr int tileSize = 40;

// The selected tile: the accent colour at 20 % behind it and a 2 px accent border.
QString tileStyle(const QColor &accent)
{
    return u"QToolButton { border: 2px solid transparent; border-radius: 8px; background: transparent; }"
           u"QToolButton:checked { border-color: %1; background: rgba(%2, %3, %4, 20%); }"_s.arg(accent.name())
               .arg(accent.red())
               .arg(accent.green())
               .arg(accent.blue());
}

} // namespace

GeneralSettingsPane::GeneralSettingsPane(SettingsViewModel &model, LaunchAtLogin &launchAtLogin, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_launchAtLoginState(launchAtLogin)
    , m_launchAtLogin(new QCheckBox(SettingsTexts::launchAtLogin.toString()))
    , m_showNews(new QCheckBox(SettingsTexts::showNews.toString()))
    , m_sound(new QCheckBox(SettingsTexts::playSoundEffects.toString()))
    , m_tiles(new QButtonGroup(this))
    , m_popup(new QCheckBox(SettingsTexts::showResultPopup.toString()))
    , m_permissions(new QPushButton(SettingsTexts::openScreenRecordingSettings.toString()))
{
    AppSettings &settings = m_model.settings();
    QVBoxLayout *column = SettingsForm::column(this);

    QVBoxLayout *basics = SettingsForm::section(column);
    basics->addWidget(m_launchAtLogin);
    basics->addWidget(m_showNews);
    basics->addWidget(m_sound);
    basics->addWidget(SettingsForm::caption(SettingsTexts::soundEffectsCaption()));

    SettingsForm::section(column, SettingsTexts::menuBarIcon.toString())->addWidget(buildTiles());

    QVBoxLayout *popup = SettingsForm::section(column, SettingsTexts::resultPopup.toString());
    popup->addWidget(m_popup);
    popup->addWidget(buildDurationRow());

    QVBoxLayout *permissions = SettingsForm::section(column, SettingsTexts::permissions.toString());
    permissions->addLayout(SettingsForm::trailing(m_permissions));
    column->addStretch();

    // User actions write through at once; programmatic redraws are blocked from writing back.
    connect(m_launchAtLogin, &QCheckBox::clicked, this, [this](bool on) { m_launchAtLoginState.setEnabled(on); });
    connect(m_showNews, &QCheckBox::clicked, this, [&settings](bool on) { settings.setShowNews(on); });
    connect(m_sound, &QCheckBox::clicked, this, [&settings](bool on) { settings.setSoundEffectsEnabled(on); });
    connect(m_popup, &QCheckBox::clicked, this, [&settings](bool on) { settings.setShowResultPopup(on); });
    connect(m_slider, &QSlider::valueChanged, this,
        [&settings](int halfSeconds) { settings.setPopupDuration(halfSeconds / 2.0); });
    connect(m_tiles, &QButtonGroup::idClicked, this,
        [&settings](int index) { settings.setMenuBarIconStyle(MenuBarIconStyles::rawValues.at(index).first); });
    connect(m_permissions, &QPushButton::clicked, this, [this] { m_model.openScreenRecordingSettings(); });

    connect(&m_model, &SettingsViewModel::changed, this, &GeneralSettingsPane::refresh);
    connect(&m_launchAtLoginState, &LaunchAtLogin::changed, this, &GeneralSettingsPane::refresh);
    refresh();
}

QWidget *GeneralSettingsPane::buildTiles()
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 4, 0, 4);
    const QString style = tileStyle(palette().color(QPalette::Highlight));
    for (int index = 0; index < int(MenuBarIconStyles::rawValues.size()); ++index) {
        const auto &[value, raw] = MenuBarIconStyles::rawValues.at(std::size_t(index));
        auto *tile = new QToolButton;
        tile->setCheckable(true);
        tile->setFixedSize(tileSize, tileSize);
        tile->setStyleSheet(style);
        tile->setAccessibleName(raw.toString());
        tile->setToolTip(raw.toString());
        if (value == MenuBarIconStyle::custom) {
            tile->setIcon(SymbolImage::namedImage(u"MenuBarIcon"_s));
            tile->setIconSize(QSize(22, 22));
        } else {
            tile->setIcon(SymbolImage::icon(MenuBarIconStyles::defaultSymbolName(value).toString()));
            tile->setIconSize(QSize(20, 20));
        }
        m_tiles->addButton(tile, index);
        layout->addWidget(tile, 1, Qt::AlignCenter);
    }
    return row;
}

QWidget *GeneralSettingsPane::buildDurationRow()
{
    m_durationRow = new QWidget;
    auto *layout = new QHBoxLayout(m_durationRow);
    layout->setContentsMargins(0, 0, 0, 0);
    m_slider = new QSlider(Qt::Horizontal);
    m_slider->setRange(sliderMinimum, sliderMaximum);
    m_slider->setSingleStep(1);
    m_slider->setPageStep(1);
    m_slider->setAccessibleName(SettingsTexts::duration.toString());
    m_durationText = new QLabel;
    m_durationText->setFixedWidth(35);
    m_durationText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(new QLabel(SettingsTexts::duration.toString()));
    layout->addWidget(m_slider, 1);
    layout->addWidget(m_durationText);
    return m_durationRow;
}

void GeneralSettingsPane::refresh()
{
    const AppSettings &settings = m_model.settings();
    m_launchAtLogin->setChecked(m_launchAtLoginState.isEnabled());
    m_showNews->setChecked(settings.showNews());
    m_sound->setChecked(settings.soundEffectsEnabled());
    m_popup->setChecked(settings.showResultPopup());
    {
        // A stored duration off the slider's scale is shown at the nearest step but kept.
        const QSignalBlocker blocker(m_slider);
        m_slider->setValue(int(std::lround(settings.popupDuration() * 2)));
    }
    m_durationText->setText(m_model.popupDurationText());
    m_durationRow->setEnabled(settings.showResultPopup());
    for (int index = 0; index < int(MenuBarIconStyles::rawValues.size()); ++index) {
        const bool selected = MenuBarIconStyles::rawValues.at(std::size_t(index)).first == settings.menuBarIconStyle();
        m_tiles->button(index)->setChecked(selected);
    }
    m_permissions->setEnabled(m_model.canOpenScreenRecordingSettings());
}

} // namespace kavri
