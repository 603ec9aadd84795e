// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A Kavri start in miniature, for tests of the single instance. It either becomes the primary,
// prints "primary" and then every request it receives, one a line, until it is killed; or it
// hands its requests to the running primary and exits 0, or prints why not and exits 1.
//
//   instance-client DIR TIMEOUT_MS [REQUEST...]
#include <cstdio>

#include <QCoreApplication>

#include "app/SingleInstance.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    kavri::SingleInstance instance(arguments.value(1));
    if (instance.claim()) {
        QObject::connect(&instance, &kavri::SingleInstance::requestReceived, &app, [](const QString &request) {
            std::printf("%s\n", qPrintable(request));
            std::fflush(stdout);
        });
        std::puts("primary");
        std::fflush(stdout);
        return QCoreApplication::exec();
    }
    if (instance.sendToPrimary(arguments.mid(3), arguments.value(2).toInt()))
        return 0;
    std::fprintf(stderr, "%s\n", qPrintable(instance.errorString()));
    return 1;
}
