// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QObject>
#include <QProcess>

#include "CaptureSeams.h"

namespace kavri {

class Pasteboard;
class ScreenAccess;

// Turns the user's choice of a screen region into an image by running the region-selection
// tool as a child process: "TOOL -csx FILE". The tool writes the region to FILE as PNG and exits
// 0; it exits 0 without a file when the user dismisses the selection, and non-zero when it could
// not capture. The image travels through a private temporary file, which is always removed,
// because an X11 clipboard dies with the process that owns it; the engine puts the image on the
// clipboard itself. The engine plays the capture sound itself once it has the image: the tool
// would have to stay alive, and keep the result waiting, until the sound had ended.
class ScreenCaptureEngine : public QObject, public RegionCapturer
{
    Q_OBJECT

public:
    // \a playSound starts the capture sound without waiting for it.
    ScreenCaptureEngine(Pasteboard &pasteboard, const ScreenAccess &access, QString toolPath,
        std::function<void()> playSound, QObject *parent = nullptr);

    // $KAVRI_SCREENCAPTURE, else kavri-screencapture beside this program, else on the PATH.
    static QString defaultToolPath();

    // Granted when the screen can be captured and the tool can run. Never fails; runs on the
    // thread pool.
    QFuture<bool> hasScreenRecordingPermission() const;

    QFuture<Outcome<QImage>> captureRegion(bool playSound) override;

private:
    void runTool(bool playSound, const ResumeOnce<Outcome<QImage>> &done);
    void handleTermination(int exitCode, QProcess::ExitStatus exitStatus, bool playSound, const QString &imagePath,
        const ResumeOnce<Outcome<QImage>> &done);

    Pasteboard &m_pasteboard;
    const ScreenAccess &m_access;
    QString m_toolPath;
    std::function<void()> m_playSound;
};

} // namespace kavri
