// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace kavri {

// One run of a command-line tool.
struct ToolJob
{
    QString program; // an absolute path from findTool()
    QStringList arguments;
    bool singleThreaded = false; // OMP_THREAD_LIMIT=1, for runs side by side
};

struct ToolRun
{
    bool finished = false; // started, and ended by itself within the time limit
    int exitCode = -1;
    QByteArray output; // standard output
    double milliseconds = 0.0; // wall time from start to exit, process start-up included
};

// The tool's absolute path, or empty when it is not installed.
QString findTool(const QString &name);

ToolRun runTool(const ToolJob &job);
// Runs the jobs \a atOnce at a time (QtConcurrent on a pool of its own); results in job order.
QList<ToolRun> runTools(const QList<ToolJob> &jobs, int atOnce);

// Payloads from `ZXingReader FILE` (its default multi-line report; one "Text:" field per symbol).
QStringList zxingReaderPayloads(const QByteArray &output);
// Payloads from `zbarimg --xml FILE`.
QStringList zbarPayloads(const QByteArray &output);

} // namespace kavri
