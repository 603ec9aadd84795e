// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivacySettingsPane.h"

#include <QCheckBox>

#include "SettingsForm.h"
#include "SettingsTexts.h"
#include "SettingsViewModel.h"
#include "platform/AppInfo.h"
#include "settings/AppSettings.h"

using namespace Qt::StringLiterals;

namespace kavri {

PrivacySettingsPane::PrivacySettingsPane(SettingsViewModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_statistics(new QCheckBox(SettingsTexts::sendStatistics.toString()))
    , m_policy(new QLabel)
{
    QVBoxLayout *column = SettingsForm::column(this);
    QVBoxLayout *analytics = SettingsForm::section(column, SettingsTexts::analytics.toString());
    analytics->addWidget(m_statistics);
    analytics->addWidget(SettingsForm::caption(SettingsTexts::statisticsCaption.toString()));

    m_policy->setTextFormat(Qt::RichText);
    m_policy->setText(u"<a href=\"%1\">%2</a>"_s.arg(
        AppInfo::privacyPolicyURL().toString(QUrl::FullyEncoded).toHtmlEscaped(), SettingsTexts::privacyPolicy));
    m_policy->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_policy->setAccessibleName(SettingsTexts::privacyPolicy.toString());
    SettingsForm::section(column)->addWidget(m_policy);
    column->addStretch();

    AppSettings &settings = m_model.settings();
    connect(m_statistics, &QCheckBox::clicked, this, [&settings](bool on) { settings.setAnalyticsOptOut(!on); });
    connect(m_policy, &QLabel::linkActivated, this, [this] { m_model.openPrivacyPolicy(); });
    connect(&m_model, &SettingsViewModel::changed, this, &PrivacySettingsPane::refresh);
    refresh();
}

void PrivacySettingsPane::refresh()
{
    m_statistics->setChecked(!m_model.settings().analyticsOptOut());
}

} // namespace kavri
