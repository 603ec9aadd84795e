// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The process-wide instances that need parts from more than one library; only the application
// knows them all.
#include "SharedInstances.h"

#include <QCoreApplication>

#include "AppRootCoordinator.h"
#include "actions/DesktopActionEnvironment.h"
#include "capture/KavriCore.h"
#include "capture/RecognitionEngine.h"
#include "capture/ScreenCaptureEngine.h"
#include "platform/DesktopScreenAccess.h"
#include "platform/Pasteboard.h"
#include "platform/UserDefaults.h"
#include "popup/ResultPopupController.h"
#include "settings/AppSettings.h"
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

// Until the usage statistics exist, nothing is sent.
class NoUsageEvents : public UsageEventSink
{
public:
    void recordEvent(const QString &, const QString &, const QString &) override { }
};

} // namespace

AppSettings &AppSettings::shared()
{
    static auto *settings = new AppSettings(UserDefaults::standard(), nullptr, defaultCustomWordsDelay, qApp);
    return *settings;
}

ScreenCaptureEngine &sharedScreenCaptureEngine()
{
    static DesktopScreenAccess screenAccess;
    static auto *engine
        = new ScreenCaptureEngine(Pasteboard::general(), screenAccess, ScreenCaptureEngine::defaultToolPath(), qApp);
    return *engine;
}

KavriCore &KavriCore::shared()
{
    static AppCaptureSettings settings(AppSettings::shared());
    static NoUsageEvents usage;
    static RecognitionEngine recognizer;
    static auto *core
        = new KavriCore(Pasteboard::general(), sharedScreenCaptureEngine(), recognizer, settings, usage, qApp);
    return *core;
}

ResultPopupController &ResultPopupController::shared()
{
    static DesktopActionEnvironment environment;
    static ContentActionHandler actions(environment);
    static auto *controller = new ResultPopupController(AppSettings::shared(), actions, qApp);
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
