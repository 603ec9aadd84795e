// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QFile>

#include "AppInstance.h"
#include "BuildInfo.h"
#include "CommandLine.h"
#include "platform/FreedMemory.h"
#include "platform/ImageLimits.h"

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    kavri::ImageLimits::allowLargeImages();
    kavri::mapLargeBlocksSeparately();

    // Not QCoreApplication::arguments(): its decoding drops a leading byte-order mark.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(kavri::CommandLine::decodeUtf8(QByteArray(argv[i])));
    if (const auto requests = kavri::CommandLine::instanceRequests(arguments))
        return kavri::AppInstance::run(argc, argv, *requests);

    // Commands that do their work and exit need no display.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"Kavri"_s);
    QCoreApplication::setApplicationVersion(QLatin1StringView(kavri::BuildInfo::version));
    QFile input;
    QFile output;
    QFile errors;
    if (!input.open(stdin, QIODevice::ReadOnly) || !output.open(stdout, QIODevice::WriteOnly)
        || !errors.open(stderr, QIODevice::WriteOnly))
        return 1;
    return kavri::CommandLine(input, output, errors).run(arguments);
}
