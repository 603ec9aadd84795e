// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

#include <QObject>
#include <QSocketNotifier>
#include <QString>

// The capture tool seen from outside: when its image lands in Kavri's private folder (inotify
// on the temporary folder Kavri is given) and when its process ends (a pidfd).
class ToolWatch : public QObject
{
    Q_OBJECT

public:
    ToolWatch(const QString &temporaryFolder, std::function<qint64()> clock);
    ~ToolWatch() override;

    void watchProcess(qint64 pid);

Q_SIGNALS:
    void imageWritten(qint64 at);
    void toolExited(qint64 at);

private:
    void readFolderEvents();

    std::function<qint64()> m_clock;
    int m_inotify = -1;
    int m_folderWatch = -1;
    std::unique_ptr<QSocketNotifier> m_folderNotifier;
    int m_pidfd = -1;
    std::unique_ptr<QSocketNotifier> m_processNotifier;
};
