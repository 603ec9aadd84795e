// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UpdatesSettingsPane.h"

#include <QCheckBox>
#include <QPushButton>

#include "SettingsForm.h"
#include "SettingsTexts.h"
#include "SettingsViewModel.h"

namespace kavri {

UpdatesSettingsPane::UpdatesSettingsPane(SettingsViewModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_automatic(new QCheckBox(SettingsTexts::automaticallyCheck.toString()))
    , m_beta(new QCheckBox(SettingsTexts::includeBeta.toString()))
    , m_status(new QLabel)
    , m_lastChecked(SettingsForm::caption({}))
    , m_checkNow(new QPushButton(SettingsTexts::checkNow.toString()))
{
    QVBoxLayout *column = SettingsForm::column(this);
    QVBoxLayout *options = SettingsForm::section(column);
    options->addWidget(m_automatic);
    // Every build checks for beta versions; the switch only says so.
    m_beta->setChecked(true);
    m_beta->setEnabled(false);
    m_beta->setToolTip(SettingsTexts::includeBetaHelp.toString());
    options->addWidget(m_beta);

    QVBoxLayout *state = SettingsForm::section(column);
    state->setSpacing(8);
    QFont headline = m_status->font();
    headline.setBold(true);
    m_status->setFont(headline);
    state->addWidget(m_status);
    state->addWidget(m_lastChecked);

    SettingsForm::section(column)->addLayout(SettingsForm::centred(m_checkNow));
    column->addStretch();

    connect(m_automatic, &QCheckBox::clicked, this, [this](bool on) { m_model.setAutomaticallyChecksForUpdates(on); });
    connect(m_checkNow, &QPushButton::clicked, this, [this] { m_model.checkForUpdates(); });
    connect(&m_model, &SettingsViewModel::changed, this, &UpdatesSettingsPane::refresh);
    refresh();
}

void UpdatesSettingsPane::refresh()
{
    m_automatic->setChecked(m_model.automaticallyChecksForUpdates());
    m_status->setText(
        (m_model.updateAvailable() ? SettingsTexts::updateAvailable : SettingsTexts::upToDate).toString());
    m_lastChecked->setText(SettingsTexts::lastChecked + m_model.lastUpdateCheckText());
}

} // namespace kavri
