// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointer>
#include <QTemporaryDir>

#include "app/popup/ResultPopupController.h"
#include "content/ContentActionHandler.h"
#include "platform/UserDefaults.h"
#include "settings/AppSettings.h"
#include "support/FakeActionEnvironment.h"

namespace kavri::test {

// A result card controller as the application builds it: real settings over a store in a
// temporary folder, the real action handler on the desktop's services (only the save dialog is
// answered by the test). The modal alert is replaced by a recorder, since nobody would close it.
struct PopupHarness
{
    struct Alert
    {
        ActionFailure failure;
        QPointer<QWidget> parent;
        bool hadParent;
    };

    // Cards stay up for \a popupDuration seconds, an hour unless told.
    explicit PopupHarness(double popupDuration = 3600)
        : store(dir.filePath(QStringLiteral("defaults.plist")))
        , settings(store)
        , actions(environment)
        , controller(settings, actions)
    {
        settings.setPopupDuration(popupDuration);
        controller.setFailureAlert([this](const ActionFailure &failure, QWidget *parent) {
            alerts.append({ failure, parent, parent != nullptr });
        });
    }

    // Shows a result and returns its card.
    QWidget *show(const QString &text, PopupType type = PopupType::success,
        const std::optional<ParsedContent> &content = std::nullopt)
    {
        controller.showPopup(text, type, content);
        return card();
    }

    QWidget *card() const { return controller.popupWindow(); }

    QTemporaryDir dir;
    UserDefaults store;
    AppSettings settings;
    FakeActionEnvironment environment;
    ContentActionHandler actions;
    ResultPopupController controller;
    QList<Alert> alerts;
};

} // namespace kavri::test
