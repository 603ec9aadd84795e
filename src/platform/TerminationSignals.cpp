// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TerminationSignals.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <sys/socket.h>
#include <unistd.h>

#include "Log.h"

namespace kavri {

namespace {

constexpr std::array handledSignals { SIGTERM, SIGINT, SIGHUP };
// quit() does nothing before exec() runs: a request from then waits for the loop this long at a time.
constexpr int quitRetryMs = 100;

std::array<struct sigaction, handledSignals.size()> s_previousActions {};
// Read by the handler on whichever thread the signal lands: a lock-free atomic is safe there.
std::atomic<int> s_writeFd { -1 };
static_assert(std::atomic<int>::is_always_lock_free);
TerminationSignals *s_instance = nullptr;

void onSignal(int signalNumber)
{
    const int savedErrno = errno;
    const int fd = s_writeFd.load(std::memory_order_relaxed);
    const auto byte = static_cast<unsigned char>(signalNumber);
    // A full socket already holds a request to quit; MSG_NOSIGNAL keeps a closed one from raising SIGPIPE.
    if (fd >= 0) [[maybe_unused]]
        const ssize_t sent = ::send(fd, &byte, 1, MSG_DONTWAIT | MSG_NOSIGNAL);
    errno = savedErrno;
}

const char *signalName(int signalNumber)
{
    switch (signalNumber) {
    case SIGTERM:
        return "SIGTERM";
    case SIGINT:
        return "SIGINT";
    case SIGHUP:
        return "SIGHUP";
    default:
        return "an unexpected signal";
    }
}

} // namespace

TerminationSignals &TerminationSignals::install()
{
    Q_ASSERT_X(QCoreApplication::instance(), "TerminationSignals::install", "needs a QCoreApplication");
    Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
    if (!s_instance)
        s_instance = new TerminationSignals(QCoreApplication::instance());
    return *s_instance;
}

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
    , m_quitRetry(new QTimer(this))
{
    m_quitRetry->setInterval(quitRetryMs);
    connect(m_quitRetry, &QTimer::timeout, this, [this] {
        if (QThread::currentThread()->loopLevel() == 0)
            return;
        m_quitRetry->stop();
        QCoreApplication::quit();
    });
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, m_quitRetry, &QTimer::stop);

    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds) != 0) {
        qCWarning(lcKavri, "Termination signals will end Kavri without saving: no socket pair (%ls)",
            qUtf16Printable(qt_error_string(errno)));
        return;
    }
    m_readFd = fds[0];
    m_writeFd = fds[1];
    s_writeFd.store(m_writeFd);
    m_notifier = new QSocketNotifier(m_readFd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignals);

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < handledSignals.size(); ++i)
        ::sigaction(handledSignals[i], &action, &s_previousActions[i]);
}

TerminationSignals::~TerminationSignals()
{
    if (s_instance == this)
        s_instance = nullptr;
    if (m_writeFd < 0)
        return;
    for (std::size_t i = 0; i < handledSignals.size(); ++i)
        ::sigaction(handledSignals[i], &s_previousActions[i], nullptr);
    s_writeFd.store(-1);
    delete m_notifier;
    ::close(m_readFd);
    ::close(m_writeFd);
}

void TerminationSignals::readSignals()
{
    unsigned char numbers[16];
    ssize_t count = 0;
    while ((count = ::read(m_readFd, numbers, sizeof numbers)) > 0) {
        for (ssize_t i = 0; i < count; ++i) {
            qCInfo(lcKavri, "Quitting on signal %s", signalName(numbers[i]));
            Q_EMIT terminationRequested(numbers[i]);
        }
        if (QThread::currentThread()->loopLevel() > 0)
            QCoreApplication::quit();
        else
            m_quitRetry->start();
    }
}

} // namespace kavri
