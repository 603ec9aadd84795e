// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QStringList>

#include "AppRequest.h"

class QIODevice;

namespace kavri {

// Kavri's command line: the subcommands that do their work and exit, and the help.
class CommandLine
{
public:
    enum ExitCode { Success = 0, UsageError = 2 };

    // \a input is read only by "parse -"; results go to \a output, complaints to \a errors.
    CommandLine(QIODevice &input, QIODevice &output, QIODevice &errors);

    // \a arguments without the program name. Returns the process exit code.
    int run(const QStringList &arguments);

    // The requests for the running Kavri when \a arguments start it or talk to it (no arguments,
    // or only --capture-text and its siblings); none when they name a command.
    static std::optional<QList<AppRequest>> instanceRequests(const QStringList &arguments);

    static QString helpText();
    // "kavri: MESSAGE" and where to find help, for any wrong usage.
    static QByteArray usageErrorText(const QString &message);
    // Decodes command-line or input bytes exactly: nothing dropped, invalid UTF-8 as U+FFFD.
    static QString decodeUtf8(const QByteArray &bytes);

private:
    int parse(const QStringList &arguments);
    int usageError(const QString &message);

    QIODevice &m_input;
    QIODevice &m_output;
    QIODevice &m_errors;
};

} // namespace kavri
