// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

// Drives the private test desktop from outside, as another program would.
namespace kavri::test {

// Runs an X11 helper (xdotool, xclip, import) to its end; returns its standard output, or
// fails the test through the returned flag.
inline bool runX11Tool(const QString &program, const QStringList &arguments, QByteArray *output = nullptr,
    const QByteArray &input = {}, int timeoutMs = 15000)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(timeoutMs))
        return false;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    if (output)
        *output = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Fills the X11 clipboard from another process; xclip keeps serving it in the background until
// another owner takes the clipboard or the display closes.
inline bool putOnClipboardWithXclip(const QByteArray &data, const QString &mimeType)
{
    return runX11Tool(QStringLiteral("xclip"),
        { QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"), mimeType,
            QStringLiteral("-i") },
        nullptr, data);
}

} // namespace kavri::test
