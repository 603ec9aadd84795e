// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QFile>

#include "BuildInfo.h"
#include "app/CommandLine.h"

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"Kavri"_s);
    QCoreApplication::setApplicationVersion(QLatin1StringView(kavri::BuildInfo::version));

    QFile input;
    QFile output;
    QFile errors;
    if (!input.open(stdin, QIODevice::ReadOnly) || !output.open(stdout, QIODevice::WriteOnly)
        || !errors.open(stderr, QIODevice::WriteOnly))
        return 1;
    return kavri::CommandLine(input, output, errors).run(QCoreApplication::arguments().sliced(1));
}
