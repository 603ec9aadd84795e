// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include <QObject>

#include "Updater.h"
#include "UserDriver.h"

namespace kavri {

// Owns the updater and its user interface and joins them: the object the rest of Kavri uses to
// run update sessions.
class UpdaterController : public QObject
{
    Q_OBJECT

public:
    // The delegates are not owned and must outlive the controller.
    UpdaterController(bool startingUpdater, UpdaterDelegate *updaterDelegate, UserDriverDelegate *userDriverDelegate,
        UserDefaults &defaults, UpdaterOptions options, QObject *parent = nullptr);
    ~UpdaterController() override;

    Updater *updater() const { return m_updater; }
    UserDriver *userDriver() const { return m_userDriver.get(); }
    // Takes the driver, gives it the user-driver delegate; replaces (and destroys) an earlier one.
    void setUserDriver(std::unique_ptr<UserDriver> driver);

    void startUpdater();
    // User-initiated: answers with the update, "up to date" or the failure.
    void checkForUpdates();

private:
    UserDriverDelegate *m_userDriverDelegate;
    Updater *m_updater;
    std::unique_ptr<UserDriver> m_userDriver;
};

} // namespace kavri
