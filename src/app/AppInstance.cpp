// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppInstance.h"

#include <cstdio>

#include <QApplication>

#include "BuildInfo.h"
#include "RequestRouter.h"
#include "SingleInstance.h"
#include "capture/KavriCore.h"
#include "platform/Log.h"
#include "platform/TerminationSignals.h"
#include "settings/AppSettings.h"
#include "shortcuts/KeyboardShortcuts.h"

using namespace Qt::StringLiterals;

namespace kavri::AppInstance {

int run(int &argc, char **argv, const QList<AppRequest> &requests)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Kavri"_s);
    QApplication::setApplicationVersion(QLatin1StringView(BuildInfo::version));
    // A tray application: closing a window never ends it.
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstance instance;
    // The running one may be quitting just now; then this start takes its place.
    for (int attempt = 0; !instance.claim(); ++attempt) {
        QStringList names;
        for (const AppRequest request : requests)
            names.append(AppRequests::name(request));
        if (names.isEmpty())
            names.append(AppRequests::name(AppRequest::activate));
        if (instance.sendToPrimary(names)) {
            qCInfo(lcMain, "Kavri is already running; handed over: %ls", qUtf16Printable(names.join(u", "_s)));
            return 0;
        }
        if (attempt == 1) {
            std::fprintf(stderr, "kavri: cannot reach the running Kavri: %s\n", qPrintable(instance.errorString()));
            return 1;
        }
    }

    // The session ends Kavri with a signal; quitting normally lets unsaved settings be written.
    TerminationSignals::install();
    AppSettings::shared();
    RequestRouter router(KavriCore::shared(), KeyboardShortcuts::Registry::shared());
    QObject::connect(&instance, &SingleInstance::requestReceived, &router, [&router](const QString &name) {
        if (const auto request = AppRequests::fromName(name))
            router.perform(*request, u"another kavri process"_s);
        else
            qCWarning(lcMain, "Ignoring an unknown request from another kavri process");
    });
    for (const AppRequest request : requests)
        QMetaObject::invokeMethod(
            &router, [&router, request] { router.perform(request, u"the command line"_s); }, Qt::QueuedConnection);
    qCInfo(lcMain, "Kavri %s is running", BuildInfo::version);
    return QApplication::exec();
}

} // namespace kavri::AppInstance
