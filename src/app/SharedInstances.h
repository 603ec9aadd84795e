// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

#include "capture/CaptureSeams.h"
#include "settings/AppSettings.h"

namespace kavri {

class ContentActionHandler;
class SettingsWindowController;
class ScreenCaptureEngine;

// The screen capture behind the shared capture service.
ScreenCaptureEngine &sharedScreenCaptureEngine();
// Content actions over the desktop's real services.
ContentActionHandler &sharedContentActionHandler();

// Widgets must be gone before the application object is: \a object, which owns some, is deleted
// when Kavri quits (its shared instance is not used after that).
template <typename T> T *deletedOnQuit(T *object)
{
    QCoreApplication *app = QCoreApplication::instance();
    QObject::connect(app, &QCoreApplication::aboutToQuit, app, [object] { delete object; });
    return object;
}

// The settings window over the shared settings, shortcuts, login item and update checker.
SettingsWindowController &sharedSettingsWindow();

// The settings' opt-out and the capture service's events, handed to the statistics once the tray
// application has started them; a command-line run never sends anything.
class UsageStatistics : public UsageOptOut, public UsageEventSink
{
public:
    static UsageStatistics &shared();

    void start();
    void setOptOut(bool optOut) override;
    void recordEvent(const QString &category, const QString &action, const QString &name) override;

private:
    bool m_started = false;
    bool m_optOut = false;
};

} // namespace kavri
