// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolWatch.h"

#include <array>
#include <cstring>

#include <sys/inotify.h>
#include <sys/syscall.h>
#include <unistd.h>

ToolWatch::ToolWatch(const QString &temporaryFolder, std::function<qint64()> clock)
    : m_clock(std::move(clock))
    , m_inotify(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    if (m_inotify < 0)
        qFatal("inotify: %s", std::strerror(errno));
    m_folderWatch = inotify_add_watch(m_inotify, temporaryFolder.toLocal8Bit().constData(), IN_CREATE | IN_ONLYDIR);
    m_folderNotifier = std::make_unique<QSocketNotifier>(m_inotify, QSocketNotifier::Read);
    connect(m_folderNotifier.get(), &QSocketNotifier::activated, this, [this, temporaryFolder] {
        std::array<char, 4096> buffer {};
        for (;;) {
            const ssize_t length = read(m_inotify, buffer.data(), buffer.size());
            if (length <= 0)
                return;
            const qint64 at = m_clock();
            for (ssize_t offset = 0; offset < length;) {
                const auto *event = reinterpret_cast<const inotify_event *>(buffer.data() + offset);
                offset += ssize_t(sizeof(inotify_event) + event->len);
                const QString name = event->len ? QString::fromLocal8Bit(event->name) : QString();
                if (event->wd == m_folderWatch && (event->mask & IN_ISDIR)) {
                    // Kavri's private folder for one capture: the tool renames the finished image into it.
                    inotify_add_watch(m_inotify, (temporaryFolder + u'/' + name).toLocal8Bit().constData(),
                        IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE);
                } else if (event->wd != m_folderWatch && name == u"capture.png") {
                    Q_EMIT imageWritten(at);
                }
            }
        }
    });
}

ToolWatch::~ToolWatch()
{
    m_processNotifier.reset();
    if (m_pidfd >= 0)
        close(m_pidfd);
    m_folderNotifier.reset();
    close(m_inotify);
}

void ToolWatch::watchProcess(qint64 pid)
{
    m_processNotifier.reset();
    if (m_pidfd >= 0)
        close(m_pidfd);
    m_pidfd = int(syscall(SYS_pidfd_open, pid_t(pid), 0));
    if (m_pidfd < 0) {
        qWarning("cannot watch process %lld: %s", pid, std::strerror(errno));
        return;
    }
    // A pidfd becomes readable when the process ends.
    m_processNotifier = std::make_unique<QSocketNotifier>(m_pidfd, QSocketNotifier::Read);
    connect(m_processNotifier.get(), &QSocketNotifier::activated, this, [this] {
        const qint64 at = m_clock();
        m_processNotifier->setEnabled(false);
        Q_EMIT toolExited(at);
    });
}
