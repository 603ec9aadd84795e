// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QObject>
#include <QUrl>

namespace kavri {

class AppSettings;
class UpdateControls;

// What the settings panes show beyond the plain settings: the update state, the duration text,
// and the pages the panes open. Announces every change of the settings as its own. Main thread
// only.
class SettingsViewModel : public QObject
{
    Q_OBJECT

public:
    using UrlOpener = std::function<bool(const QUrl &)>;

    // Without \a updates there is no update checker: automatic checks read as on and ignore
    // changes, the last check reads "Never" and checking does nothing. \a openUrl defaults to
    // the desktop's handler.
    explicit SettingsViewModel(
        AppSettings &settings, UpdateControls *updates = nullptr, UrlOpener openUrl = {}, QObject *parent = nullptr);

    AppSettings &settings() const { return m_settings; }

    bool updateAvailable() const { return m_updateAvailable; }
    bool automaticallyChecksForUpdates() const;
    void setAutomaticallyChecksForUpdates(bool value);
    // The last check in medium date and short time format, or "Never".
    QString lastUpdateCheckText() const;
    // "0s" while the popup is off, else "5s" for whole seconds and "5.5s" otherwise.
    QString popupDurationText() const;

    void checkForUpdates();
    // Whether this desktop has a settings page for screen capture permissions.
    bool canOpenScreenRecordingSettings() const;
    void openScreenRecordingSettings();
    void openWebsite();
    void openPrivacyPolicy();

    // From the update checker.
    void sparkleHelperDidNotFindUpdate();
    void sparkleHelperDidFindUpdate();

Q_SIGNALS:
    void changed();

private:
    AppSettings &m_settings;
    UpdateControls *m_updates;
    UrlOpener m_openUrl;
    bool m_updateAvailable = false;
};

} // namespace kavri
