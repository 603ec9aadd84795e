// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenCaptureEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtConcurrent>

#include "platform/Log.h"
#include "platform/Pasteboard.h"
#include "platform/ScreenAccess.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

constexpr QStringView toolName = u"kavri-screencapture";

} // namespace

ScreenCaptureEngine::ScreenCaptureEngine(Pasteboard &pasteboard, const ScreenAccess &access, QString toolPath,
    std::function<void()> playSound, QObject *parent)
    : QObject(parent)
    , m_pasteboard(pasteboard)
    , m_access(access)
    , m_toolPath(std::move(toolPath))
    , m_playSound(std::move(playSound))
{ }

QString ScreenCaptureEngine::defaultToolPath()
{
    const QString configured = qEnvironmentVariable("KAVRI_SCREENCAPTURE");
    if (!configured.isEmpty())
        return configured;
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(toolName.toString());
    if (QFileInfo(beside).isExecutable())
        return beside;
    const QString onPath = QStandardPaths::findExecutable(toolName.toString());
    return onPath.isEmpty() ? beside : onPath;
}

QFuture<bool> ScreenCaptureEngine::hasScreenRecordingPermission() const
{
    return QtConcurrent::run([access = &m_access, tool = m_toolPath] {
        QString reason = access->unavailableReason();
        if (reason.isEmpty() && !QFileInfo(tool).isExecutable())
            reason = u"the capture tool %1 cannot be run"_s.arg(tool);
        if (!reason.isEmpty())
            qCInfo(lcKavri, "hasScreenRecordingPermission: screen access error: %ls", qUtf16Printable(reason));
        qCDebug(lcKavri, "hasScreenRecordingPermission: %s", reason.isEmpty() ? "granted" : "denied");
        return reason.isEmpty();
    });
}

QFuture<Outcome<QImage>> ScreenCaptureEngine::captureRegion(bool playSound)
{
    ResumeOnce<Outcome<QImage>> done;
    hasScreenRecordingPermission().then(this, [this, playSound, done](bool granted) {
        if (!granted) {
            m_access.requestAccess();
            done.resume(KavriError::permissionDenied());
            return;
        }
        runTool(playSound, done);
    });
    return done.future();
}

void ScreenCaptureEngine::runTool(bool playSound, const ResumeOnce<Outcome<QImage>> &done)
{
    // A private folder, so the tool writes to a name nobody else can have placed or be watching.
    auto folder = std::make_shared<QTemporaryDir>();
    if (!folder->isValid()) {
        qCWarning(lcKavri, "cannot create a temporary folder: %ls", qUtf16Printable(folder->errorString()));
        done.resume(KavriError::captureFailed());
        return;
    }
    const QString imagePath = folder->filePath(u"capture.png"_s);

    auto *process = new QProcess(this);
    process->setProgram(m_toolPath);
    process->setArguments({ u"-csx"_s, imagePath });
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setInputChannelMode(QProcess::ForwardedInputChannel);

    connect(process, &QProcess::errorOccurred, this, [process, done, folder](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return; // a crash still ends in finished()
        qCInfo(lcKavri, "screencapture could not be started: %ls", qUtf16Printable(process->errorString()));
        done.resume(KavriError::captureFailed());
        process->deleteLater();
    });
    connect(process, &QProcess::finished, this,
        [this, process, done, folder, imagePath, playSound](int exitCode, QProcess::ExitStatus exitStatus) {
            handleTermination(exitCode, exitStatus, playSound, imagePath, done);
            process->deleteLater();
        });
    process->start();
}

void ScreenCaptureEngine::handleTermination(int exitCode, QProcess::ExitStatus exitStatus, bool playSound,
    const QString &imagePath, const ResumeOnce<Outcome<QImage>> &done)
{
    const bool crashed = exitStatus == QProcess::CrashExit;
    if (crashed)
        qCInfo(lcKavri, "screencapture crashed");
    else
        qCDebug(lcKavri, "screencapture exited with status: %d", exitCode);

    // The tool renames a finished image into place, so an image there is whole even when the tool
    // died after writing it; the user's selection is not thrown away for that.
    if (QFileInfo::exists(imagePath)) {
        QImageReader reader(imagePath);
        const QImage image = reader.read();
        if (image.isNull()) {
            qCInfo(lcKavri, "screencapture wrote no readable image: %ls", qUtf16Printable(reader.errorString()));
            done.resume(crashed ? KavriError::captureFailed() : KavriError::noImageInPasteboard());
            return;
        }
        if (playSound && m_playSound)
            m_playSound();
        m_pasteboard.setImage(image);
        done.resume(bitmapImage(image));
        return;
    }
    if (crashed) {
        // Killed by a signal before the image was written: there is no exit status to judge by.
        done.resume(KavriError::captureFailed());
        return;
    }
    if (exitCode == 0) {
        hasScreenRecordingPermission().then(this, [done](bool granted) {
            if (granted) {
                done.resume(KavriError::cancelled());
                return;
            }
            qCInfo(lcKavri, "screencapture succeeded but permission check failed");
            done.resume(KavriError::permissionDenied());
        });
        return;
    }
    qCInfo(lcKavri, "screencapture failed with non-zero exit status %d, checking permission", exitCode);
    done.resume(KavriError::permissionDenied());
}

} // namespace kavri
