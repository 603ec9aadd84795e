// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppInstance.h"

#include <cstdio>
#include <optional>

#include <QApplication>

#include <xcb/xcb.h>

#include "BuildInfo.h"
#include "KavriApp.h"
#include "SingleInstance.h"
#include "platform/Log.h"
#include "platform/SymbolImage.h"
#include "platform/TerminationSignals.h"

using namespace Qt::StringLiterals;

namespace kavri::AppInstance {

namespace {

// Qt aborts when it finds no display; say so plainly instead, and what works without one.
std::optional<QString> missingDesktop()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return std::nullopt;
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty())
        return u"no graphical desktop (neither DISPLAY nor WAYLAND_DISPLAY is set)"_s;
    xcb_connection_t *connection = xcb_connect(display.constData(), nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!reachable)
        return u"cannot connect to the X display \"%1\""_s.arg(QString::fromLocal8Bit(display));
    return std::nullopt;
}

} // namespace

int run(int &argc, char **argv, const QList<AppRequest> &requests)
{
    if (const auto reason = missingDesktop()) {
        std::fprintf(stderr,
            "kavri: cannot start Kavri: %s; without a desktop, \"kavri recognize FILE...\" reads the text and "
            "codes in image files\n",
            qPrintable(*reason));
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Kavri"_s);
    QApplication::setApplicationVersion(QLatin1StringView(BuildInfo::version));
    QApplication::setDesktopFileName(u"io.github.kavri.Kavri"_s);
    QApplication::setWindowIcon(SymbolImage::namedImage(u"AppIconVibrant"_s));
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
    KavriApp kavri;
    kavri.start();
    QObject::connect(&instance, &SingleInstance::requestReceived, &kavri, [&kavri](const QString &name) {
        if (const auto request = AppRequests::fromName(name))
            kavri.perform(*request, u"another kavri process"_s);
        else
            qCWarning(lcMain, "Ignoring an unknown request from another kavri process");
    });
    for (const AppRequest request : requests)
        QMetaObject::invokeMethod(
            &kavri, [&kavri, request] { kavri.perform(request, u"the command line"_s); }, Qt::QueuedConnection);
    qCInfo(lcMain, "Kavri %s is running", BuildInfo::version);
    return QApplication::exec();
}

} // namespace kavri::AppInstance
