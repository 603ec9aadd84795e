// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsViewModel.h"

#include <cmath>

#include <QLocale>

#include "SettingsTexts.h"
#include "UpdateControls.h"
#include "platform/AppInfo.h"
#include "platform/Workspace.h"
#include "settings/AppSettings.h"

using namespace Qt::StringLiterals;

namespace kavri {

SettingsViewModel::SettingsViewModel(AppSettings &settings, UpdateControls *updates, UrlOpener openUrl, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_updates(updates)
    , m_openUrl(openUrl ? std::move(openUrl) : UrlOpener(Workspace::openUrl))
{
    connect(&m_settings, &AppSettings::changed, this, &SettingsViewModel::changed);
}

bool SettingsViewModel::automaticallyChecksForUpdates() const
{
    return m_updates ? m_updates->automaticallyChecksForUpdates() : true;
}

void SettingsViewModel::setAutomaticallyChecksForUpdates(bool value)
{
    if (m_updates)
        m_updates->setAutomaticallyChecksForUpdates(value);
    Q_EMIT changed();
}

QString SettingsViewModel::lastUpdateCheckText() const
{
    const auto date = m_updates ? m_updates->lastUpdateCheckDate() : std::nullopt;
    if (!date || !date->isValid())
        return SettingsTexts::never.toString();
    // A date with the month's abbreviated name, and the time without seconds.
    const QLocale locale;
    const QDateTime local = date->toLocalTime();
    return locale.toString(local.date(), u"d MMM yyyy") + u", "_s + locale.toString(local.time(), QLocale::ShortFormat);
}

QString SettingsViewModel::popupDurationText() const
{
    if (!m_settings.showResultPopup())
        return u"0s"_s;
    const double duration = m_settings.popupDuration();
    if (duration == std::trunc(duration))
        return QString::number(qint64(duration)) + u's';
    return QString::asprintf("%.1fs", duration);
}

void SettingsViewModel::checkForUpdates()
{
    if (m_updates)
        m_updates->checkForUpdates();
    Q_EMIT changed();
}

bool SettingsViewModel::canOpenScreenRecordingSettings() const
{
    return Workspace::screenCaptureSettingsUrl().has_value();
}

void SettingsViewModel::openScreenRecordingSettings()
{
    if (const auto url = Workspace::screenCaptureSettingsUrl())
        m_openUrl(*url);
}

void SettingsViewModel::openWebsite()
{
    m_openUrl(AppInfo::websiteURL());
}

void SettingsViewModel::openPrivacyPolicy()
{
    m_openUrl(AppInfo::privacyPolicyURL());
}

void SettingsViewModel::sparkleHelperDidNotFindUpdate()
{
    m_updateAvailable = false;
    Q_EMIT changed();
}

void SettingsViewModel::sparkleHelperDidFindUpdate()
{
    m_updateAvailable = true;
    Q_EMIT changed();
}

} // namespace kavri
