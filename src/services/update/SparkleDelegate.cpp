// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SparkleDelegate.h"

#include <QMetaObject>

#include "FeedAddress.h"
#include "SparkleHelper.h"
#include "platform/AppInfo.h"

namespace kavri {

namespace {

// The delegate hears of a check on a later turn of the main loop, and only if it is still there.
void tellDelegate(const QPointer<SparkleHelper> &helper, void (SparkleHelperDelegate::*method)())
{
    if (!helper)
        return;
    QMetaObject::invokeMethod(
        helper.data(),
        [helper, method] {
            if (helper && helper->delegate())
                (helper->delegate()->*method)();
        },
        Qt::QueuedConnection);
}

} // namespace

std::optional<QString> SparkleDelegate::feedURLStringForUpdater() const
{
    const QUrl configured = AppInfo::feedURL();
    if (!configured.isValid() || configured.isEmpty())
        return std::nullopt;
    return betaFeedAddress(configured.toString());
}

void SparkleDelegate::updaterDidFindValidUpdate(const AppcastItem &)
{
    tellDelegate(helper, &SparkleHelperDelegate::sparkleHelperDidFindUpdate);
}

void SparkleDelegate::updaterDidNotFindUpdate()
{
    tellDelegate(helper, &SparkleHelperDelegate::sparkleHelperDidNotFindUpdate);
}

void SparkleDelegate::standardUserDriverWillHandleShowingUpdate(
    bool handleShowingUpdate, const AppcastItem &, const UpdateState &state)
{
    if (!helper)
        return;
    if (!state.userInitiated)
        helper->setShowingGentleReminder(true);
    if (!handleShowingUpdate) {
        // Asking again while the update is pending brings it into the update window.
        QPointer<SparkleHelper> target = helper;
        QMetaObject::invokeMethod(
            helper.data(),
            [target] {
                if (target)
                    target->checkForUpdates();
            },
            Qt::QueuedConnection);
    }
}

void SparkleDelegate::standardUserDriverDidReceiveUserAttention(const AppcastItem &)
{
    if (helper)
        helper->setShowingGentleReminder(false);
}

void SparkleDelegate::standardUserDriverWillFinishUpdateSession()
{
    if (helper)
        helper->setShowingGentleReminder(false);
}

} // namespace kavri
