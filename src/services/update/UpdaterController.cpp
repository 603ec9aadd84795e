// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UpdaterController.h"

namespace kavri {

UpdaterController::UpdaterController(bool startingUpdater, UpdaterDelegate *updaterDelegate,
    UserDriverDelegate *userDriverDelegate, UserDefaults &defaults, UpdaterOptions options, QObject *parent)
    : QObject(parent)
    , m_userDriverDelegate(userDriverDelegate)
    , m_updater(new Updater(defaults, std::move(options), this))
{
    m_updater->setDelegate(updaterDelegate);
    if (startingUpdater)
        startUpdater();
}

UpdaterController::~UpdaterController()
{
    // The driver may answer an open session as it goes; the updater must not be reached by then.
    m_updater->setUserDriver(nullptr);
    std::unique_ptr<UserDriver> driver = std::move(m_userDriver);
    driver.reset();
}

void UpdaterController::setUserDriver(std::unique_ptr<UserDriver> driver)
{
    std::unique_ptr<UserDriver> previous = std::exchange(m_userDriver, std::move(driver));
    if (m_userDriver)
        m_userDriver->setDelegate(m_userDriverDelegate);
    m_updater->setUserDriver(m_userDriver.get());
    previous.reset();
}

void UpdaterController::startUpdater()
{
    m_updater->start();
}

void UpdaterController::checkForUpdates()
{
    m_updater->checkForUpdates();
}

} // namespace kavri
