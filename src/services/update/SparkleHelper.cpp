// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SparkleHelper.h"

#include <QCoreApplication>

#include "SparkleDelegate.h"
#include "platform/AppInfo.h"
#include "platform/UserDefaults.h"

using namespace Qt::StringLiterals;

namespace kavri {

SparkleHelper::SparkleHelper(UserDefaults &defaults, UpdaterOptions options, QObject *parent)
    : QObject(parent)
    , m_sparkleDelegate(std::make_unique<SparkleDelegate>())
{
    m_updaterController = new UpdaterController(
        true, m_sparkleDelegate.get(), m_sparkleDelegate.get(), defaults, std::move(options), this);
    m_sparkleDelegate->helper = this;
}

SparkleHelper::~SparkleHelper()
{
    // The controller's driver and updater call the delegate object, which goes with this.
    delete m_updaterController.data();
}

SparkleHelper *SparkleHelper::shared()
{
    static QPointer<SparkleHelper> instance;
    if (!instance)
        instance = new SparkleHelper(UserDefaults::standard(), defaultOptions(), QCoreApplication::instance());
    return instance;
}

UpdaterOptions SparkleHelper::defaultOptions()
{
    UpdaterOptions options;
    // Feed items carry build numbers; a build without one compares its marketing version.
    const QString build = AppInfo::buildNumber();
    options.currentVersion = build == u"Unknown"_s ? AppInfo::appVersion() : build;
    return options;
}

SparkleHelperDelegate *SparkleHelper::delegate() const
{
    if (m_delegateObject.isNull() && m_delegateWasObject)
        return nullptr;
    return m_delegate;
}

void SparkleHelper::setDelegate(SparkleHelperDelegate *delegate)
{
    m_delegate = delegate;
    m_delegateObject = dynamic_cast<QObject *>(delegate);
    m_delegateWasObject = m_delegateObject != nullptr;
}

Updater *SparkleHelper::updater() const
{
    return m_updaterController ? m_updaterController->updater() : nullptr;
}

void SparkleHelper::setUserDriver(std::unique_ptr<UserDriver> driver)
{
    if (m_updaterController)
        m_updaterController->setUserDriver(std::move(driver));
}

void SparkleHelper::checkForUpdates()
{
    if (m_updaterController)
        m_updaterController->checkForUpdates();
}

bool SparkleHelper::automaticallyChecksForUpdates() const
{
    const Updater *current = updater();
    return current ? current->automaticallyChecksForUpdates() : true;
}

void SparkleHelper::setAutomaticallyChecksForUpdates(bool automatic)
{
    if (Updater *current = updater())
        current->setAutomaticallyChecksForUpdates(automatic);
}

std::optional<QDateTime> SparkleHelper::lastUpdateCheckDate() const
{
    const Updater *current = updater();
    return current ? current->lastUpdateCheckDate() : std::nullopt;
}

void SparkleHelper::setShowingGentleReminder(bool showing)
{
    if (m_showingGentleReminder == showing)
        return;
    m_showingGentleReminder = showing;
    Q_EMIT gentleReminderChanged(showing);
}

} // namespace kavri
