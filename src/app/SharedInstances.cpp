// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The process-wide instances that need parts from more than one library; only the application
// knows them all.
#include "SharedInstances.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>

#include "AppRootCoordinator.h"
#include "actions/DesktopActionEnvironment.h"
#include "app/news/NewsWindowController.h"
#include "app/settings/SettingsViewModel.h"
#include "app/settings/SettingsWindowController.h"
#include "app/settings/UpdateControls.h"
#include "capture/KavriCore.h"
#include "capture/RecognitionEngine.h"
#include "capture/RecognitionLanguages.h"
#include "capture/ScreenCaptureEngine.h"
#include "platform/CaptureSound.h"
#include "platform/DesktopScreenAccess.h"
#include "platform/Pasteboard.h"
#include "platform/UserDefaults.h"
#include "popup/ResultPopupController.h"
#include "services/Tracker.h"
#include "services/update/SparkleHelper.h"
#include "services/update/SparkleHelperDelegate.h"
#include "settings/AppSettings.h"
#include "settings/LaunchAtLogin.h"
#include "shortcuts/KeyboardShortcuts.h"

namespace kavri {

namespace {

// The capture service reads the user's settings afresh for every capture.
class AppCaptureSettings : public CaptureSettings
{
public:
    explicit AppCaptureSettings(const AppSettings &settings)
        : m_settings(settings)
    { }
    bool soundEffectsEnabled() const override { return m_settings.soundEffectsEnabled(); }
    bool autoDetectLanguage() const override { return m_settings.autoDetectLanguage(); }
    QString selectedLanguage() const override { return m_settings.selectedLanguage(); }
    QStringList customWordsList() const override { return m_settings.customWordsList(); }

private:
    const AppSettings &m_settings;
};

// The settings window's view of the update checker; also tells it what the checks found.
class SparkleUpdateControls : public UpdateControls, public SparkleHelperDelegate
{
public:
    void attach(SettingsViewModel &model)
    {
        m_model = &model;
        SparkleHelper::shared()->setDelegate(this);
    }
    bool automaticallyChecksForUpdates() const override
    {
        return SparkleHelper::shared()->automaticallyChecksForUpdates();
    }
    void setAutomaticallyChecksForUpdates(bool value) override
    {
        SparkleHelper::shared()->setAutomaticallyChecksForUpdates(value);
    }
    std::optional<QDateTime> lastUpdateCheckDate() const override
    {
        return SparkleHelper::shared()->lastUpdateCheckDate();
    }
    void checkForUpdates() override { SparkleHelper::shared()->checkForUpdates(); }
    void sparkleHelperDidNotFindUpdate() override
    {
        if (m_model)
            m_model->sparkleHelperDidNotFindUpdate();
    }
    void sparkleHelperDidFindUpdate() override
    {
        if (m_model)
            m_model->sparkleHelperDidFindUpdate();
    }

private:
    SettingsViewModel *m_model = nullptr;
};

} // namespace

NewsWindowController &NewsWindowController::shared()
{
    static auto *network = new QNetworkAccessManager(qApp);
    static auto *controller = deletedOnQuit(new NewsWindowController(AppSettings::shared(), *network, {}));
    return *controller;
}

SettingsWindowController &sharedSettingsWindow()
{
    static SparkleUpdateControls updates;
    static LaunchAtLogin launchAtLogin;
    static SettingsViewModel model(AppSettings::shared(), &updates);
    static auto *controller = [] {
        updates.attach(model);
        return deletedOnQuit(new SettingsWindowController(
            SettingsWindowController::Dependencies {
                .viewModel = model,
                .shortcuts = KeyboardShortcuts::Registry::shared(),
                .launchAtLogin = launchAtLogin,
                .frameStore = UserDefaults::standard(),
                .languages = RecognitionLanguages::supportedLanguages(),
                .hotKeys = KeyboardShortcuts::Registry::shared().backend(),
            },
            nullptr));
    }();
    return *controller;
}

UsageStatistics &UsageStatistics::shared()
{
    static UsageStatistics statistics;
    return statistics;
}

void UsageStatistics::start()
{
    m_started = true;
    Tracker::shared().setOptOut(m_optOut);
}

void UsageStatistics::setOptOut(bool optOut)
{
    m_optOut = optOut;
    if (m_started)
        Tracker::shared().setOptOut(optOut);
}

void UsageStatistics::recordEvent(const QString &category, const QString &action, const QString &name)
{
    if (m_started)
        Tracker::shared().recordEvent(category, action, name);
}

AppSettings &AppSettings::shared()
{
    static auto *settings
        = new AppSettings(UserDefaults::standard(), &UsageStatistics::shared(), defaultCustomWordsDelay, qApp);
    return *settings;
}

ScreenCaptureEngine &sharedScreenCaptureEngine()
{
    static DesktopScreenAccess screenAccess;
    static auto *engine = new ScreenCaptureEngine(
        Pasteboard::general(), screenAccess, ScreenCaptureEngine::defaultToolPath(), &CaptureSound::start, qApp);
    return *engine;
}

KavriCore &KavriCore::shared()
{
    static AppCaptureSettings settings(AppSettings::shared());
    static RecognitionEngine recognizer;
    static auto *core = new KavriCore(
        Pasteboard::general(), sharedScreenCaptureEngine(), recognizer, settings, UsageStatistics::shared(), qApp);
    return *core;
}

ContentActionHandler &sharedContentActionHandler()
{
    static DesktopActionEnvironment environment;
    static ContentActionHandler actions(environment);
    return actions;
}

ResultPopupController &ResultPopupController::shared()
{
    static auto *controller = new ResultPopupController(AppSettings::shared(), sharedContentActionHandler(), qApp);
    return *controller;
}

AppRootCoordinator &AppRootCoordinator::shared()
{
    static auto *coordinator = new AppRootCoordinator(
        KavriCore::shared(), AppSettings::shared(), KeyboardShortcuts::Registry::shared(), Pasteboard::general(),
        [](const QString &text, PopupType type, const std::optional<ParsedContent> &content) {
            ResultPopupController::shared().showPopup(text, type, content);
        },
        AppRootCoordinator::defaultFlashDuration, qApp);
    return *coordinator;
}

} // namespace kavri
