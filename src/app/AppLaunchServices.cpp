// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppLaunchServices.h"

#include <QCoreApplication>
#include <QTimer>

#include "SharedInstances.h"
#include "app/news/NewsWindowController.h"
#include "app/update/StandardUserDriver.h"
#include "services/QelAppConfig.h"
#include "services/Tracker.h"
#include "services/update/SparkleHelper.h"

namespace kavri {

namespace {

// Each service starts a turn of the event loop later, in the order asked, so that the tray icon
// is up first.
void later(std::function<void()> start)
{
    QTimer::singleShot(0, QCoreApplication::instance(), std::move(start));
}

} // namespace

void AppLaunchServices::startUpdateChecks()
{
    // The updater starts with the helper; its windows come from the standard driver.
    later([] { SparkleHelper::shared()->setUserDriver(std::make_unique<StandardUserDriver>()); });
}

void AppLaunchServices::loadRemoteConfiguration()
{
    // Created on first use: loads the cached or built-in document and starts the download.
    later([] { QelAppConfig::shared(); });
}

void AppLaunchServices::recordLaunch()
{
    later([] {
        UsageStatistics::shared().start();
        Tracker::shared().track(true);
    });
}

void AppLaunchServices::showNewsIfAny()
{
    later([] {
        // The address of the configuration in force at start: the cached or built-in document.
        const std::optional<QString> newsUrl = QelAppConfig::shared().newsUrl();
        NewsWindowController::shared().showNewsIfAny(newsUrl ? QUrl(*newsUrl) : QUrl());
    });
}

} // namespace kavri
