// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QVariantMap>

class QNetworkAccessManager;

namespace kavri {

class Clock;
class QelAppConfigDelegate;
class UserDefaults;
struct HttpResult;

// The maker's remote configuration: a property-list dictionary fetched at most about once a day
// from <serverBase>/kavri/configurations/app-config-<version>.plist, cached in the application
// data folder, with a built-in default standing in until a download succeeds.
//
// Keys: "0" kill switch, "1" everybody opted out (Booleans), "2" document version, "9" news page.
// Until the first download attempt of the process has ended, killSwitch() and userOptOut() answer
// true. Failures are logged and keep the configuration in force. Main thread only.
class QelAppConfig : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        QString serverBase; // no trailing slash
        QString appVersion;
        QString cacheFolder;
        QString builtInPath = defaultBuiltInPath();
        std::chrono::milliseconds requestTimeout { 10'000 };
        std::chrono::milliseconds checkInterval { 30 * 60'000 };
    };

    static constexpr qint64 maxDocumentBytes = 1024 * 1024;
    static constexpr auto lastUpdateKey = "QelDefaultsDateLastConfigUpdateKey";

    QelAppConfig(const Clock &clock, QNetworkAccessManager &network, UserDefaults &defaults, Options options,
        QObject *parent = nullptr);
    ~QelAppConfig() override;

    // The process's configuration over the real clock, network, store and folders; set up on
    // first call (which starts the first download).
    static QelAppConfig &shared();
    // $XDG_DATA_HOME/Kavri, created when missing (a failure is logged; the path is still returned).
    static QString applicationSupportFolder();
    // "app-config-<version>.plist", with spaces (and path separators) in the version made "-".
    static QString documentName(const QString &appVersion);
    static QString defaultBuiltInPath();

    // Loads the local copy, starts a download and, from the event loop, the periodic check.
    void setup();

    bool isReady() const { return m_ready; }
    bool isUpdated() const { return m_updated; }
    bool killSwitch() const;
    bool userOptOut() const;
    std::optional<QString> version() const { return stringValue(u"2"); }
    std::optional<QString> newsUrl() const { return stringValue(u"9"); }
    const std::optional<QVariantMap> &configDict() const { return m_configDict; }

    QelAppConfigDelegate *delegate() const { return m_delegate; }
    // Not owned; clear it before the delegate goes away.
    void setDelegate(QelAppConfigDelegate *delegate) { m_delegate = delegate; }
    const QTimer *updateTimer() const { return m_updateTimer; }

    // Downloads when the last successful download is a calendar day old or more (or unknown).
    void update();
    // Downloads now, unless a download is already running.
    void load();

    QUrl documentUrl() const;
    QString cacheFilePath() const;

Q_SIGNALS:
    // Once per process, after the delegate was told.
    void ready();
    // A downloaded document was taken over.
    void configurationChanged();

private:
    std::optional<QString> stringValue(QStringView key) const;
    void loadLocalConfiguration();
    void checkForUpdatesContinuously();
    void finishLoad(const QUrl &url, const HttpResult &result);
    void saveConfiguration();
    void becomeReady();

    const Clock &m_clock;
    QNetworkAccessManager &m_network;
    UserDefaults &m_defaults;
    Options m_options;
    bool m_updated = false;
    bool m_ready = false;
    bool m_loading = false;
    std::optional<QVariantMap> m_configDict;
    QelAppConfigDelegate *m_delegate = nullptr;
    QPointer<QTimer> m_updateTimer;
};

} // namespace kavri
