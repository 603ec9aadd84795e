// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SingleInstance.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <functional>
#include <limits>

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <unistd.h>

#include "platform/Log.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

constexpr char greeting[] = "kavri 1";
constexpr qsizetype maxLineBytes = 256;
constexpr qsizetype maxRequests = 32;
// Hung up on after this much silence, so that idle connections cannot pile up in the primary.
constexpr int clientIdleMs = 10000;
// How often a client looks again for a primary that holds the lock but does not listen yet.
constexpr int connectRetryMs = 20;
// How long a lock file may lack its owner's details while the owner writes them.
constexpr qint64 unreadableLockGraceMs = 2000;
constexpr QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr QFile::Permissions groupOrOthers
    = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

bool isRequestCharacter(char16_t c)
{
    return c > u' ' && c < 0x7f;
}

// A lock file without a readable owner is either being written right now or was left
// half-written by a crash; after a while it is the latter.
bool isHalfWritten(const QLockFile &lock)
{
    const QFileInfo file(lock.fileName());
    return !lock.getLockInfo(nullptr, nullptr, nullptr) && file.exists()
        && file.lastModified().msecsTo(QDateTime::currentDateTime()) > unreadableLockGraceMs;
}

int remainingMs(const QDeadlineTimer &deadline)
{
    return int(std::min<qint64>(deadline.remainingTime(), std::numeric_limits<int>::max()));
}

// One client of the primary: its greeting, its requests and the empty line that ends them, read
// as they arrive. Then it answers and hangs up. It lives as long as its socket.
class ClientSession : public QObject
{
public:
    ClientSession(QLocalSocket *socket, std::function<void(const QStringList &)> deliver)
        : QObject(socket)
        , m_socket(socket)
        , m_deliver(std::move(deliver))
    {
        // Bounds what a client can make the primary hold while a line is incomplete.
        socket->setReadBufferSize(4 * maxLineBytes);
        m_idle.setSingleShot(true);
        connect(&m_idle, &QTimer::timeout, this, [this] { refuse("no request in time"); });
        connect(socket, &QLocalSocket::readyRead, this, &ClientSession::read);
        connect(socket, &QLocalSocket::disconnected, this, [this] {
            if (!m_done)
                qCDebug(lcMain, "A client of the running instance left before finishing its requests");
            m_done = true;
            m_idle.stop();
            m_socket->deleteLater();
        });
        m_idle.start(clientIdleMs);
        read();
    }

private:
    void read()
    {
        while (!m_done && m_socket->bytesAvailable() > 0) {
            const QByteArray head = m_socket->peek(maxLineBytes + 1);
            const qsizetype end = head.indexOf('\n');
            if (end < 0) {
                if (head.size() > maxLineBytes)
                    refuse("line too long");
                return;
            }
            take(m_socket->read(end + 1).chopped(1));
        }
    }

    void take(const QByteArray &line)
    {
        if (!m_greeted) {
            if (line != greeting)
                return refuse("not a Kavri client");
            m_greeted = true;
        } else if (line.isEmpty()) {
            m_done = true;
            m_idle.stop();
            answer("ok");
            m_deliver(m_requests);
        } else if (!SingleInstance::isValidRequest(QString::fromLatin1(line))) {
            refuse("invalid request");
        } else if (m_requests.size() == maxRequests) {
            refuse("too many requests");
        } else {
            m_requests.append(QString::fromLatin1(line));
        }
    }

    void refuse(const char *reason)
    {
        m_done = true;
        m_idle.stop();
        qCWarning(lcMain, "Hung up on a client of the running instance: %s", reason);
        answer(QByteArray("error ") + reason);
    }

    void answer(const QByteArray &reply)
    {
        if (m_socket->state() != QLocalSocket::ConnectedState)
            return;
        m_socket->write(reply + '\n');
        m_socket->disconnectFromServer(); // once the answer is out
    }

    QLocalSocket *m_socket;
    std::function<void(const QStringList &)> m_deliver;
    QTimer m_idle;
    QStringList m_requests;
    bool m_greeted = false;
    bool m_done = false;
};

} // namespace

SingleInstance::SingleInstance(QString directory, QObject *parent)
    : QObject(parent)
    , m_directory(std::move(directory))
    , m_server(new QLocalServer(this))
{
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptClients);
}

SingleInstance::~SingleInstance()
{
    // Socket first, lock second: the other way round, a successor that takes the freed lock and
    // listens could lose its new socket file to our close().
    m_server->close();
    delete m_server;
    m_lock.reset();
}

QString SingleInstance::defaultDirectory()
{
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty() || !QFileInfo(runtime).isDir())
        runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return QDir(runtime).filePath(u"kavri"_s);
}

bool SingleInstance::isValidRequest(const QString &request)
{
    return !request.isEmpty() && request.size() <= maxLineBytes
        && std::all_of(request.begin(), request.end(), [](QChar c) { return isRequestCharacter(c.unicode()); });
}

QString SingleInstance::socketPath() const
{
    return QDir(m_directory).filePath(u"instance.socket"_s);
}

QString SingleInstance::lockFilePath() const
{
    return QDir(m_directory).filePath(u"instance.lock"_s);
}

bool SingleInstance::isPrimary() const
{
    return m_server->isListening();
}

bool SingleInstance::claim()
{
    if (isPrimary())
        return true;
    m_errorString.clear();
    return preparePrivateDirectory() && takeLock() && listen();
}

bool SingleInstance::preparePrivateDirectory()
{
    if (!QFileInfo::exists(m_directory)) {
        QDir().mkpath(QFileInfo(m_directory).absolutePath());
        QDir().mkdir(m_directory, ownerOnly); // may lose a race with another start: checked below
    }
    const QFileInfo info(m_directory);
    if (!info.isDir())
        return fail(u"Cannot create the folder %1"_s.arg(m_directory));
    if (info.ownerId() != ::geteuid())
        return fail(u"The folder %1 belongs to another user"_s.arg(m_directory));
    if ((info.permissions() & groupOrOthers) && !QFile::setPermissions(m_directory, ownerOnly))
        return fail(u"Cannot make the folder %1 private"_s.arg(m_directory));
    return true;
}

bool SingleInstance::takeLock()
{
    m_lock = std::make_unique<QLockFile>(lockFilePath());
    // The primary holds the lock for the whole session: only a dead owner makes it stale, never age.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    // removeStaleLockFile() leaves a file alone while a live process holds its native lock.
    if (m_lock->error() == QLockFile::LockFailedError && isHalfWritten(*m_lock) && m_lock->removeStaleLockFile()
        && m_lock->tryLock(0))
        return true;

    qint64 pid = 0;
    switch (m_lock->error()) {
    case QLockFile::LockFailedError:
        if (m_lock->getLockInfo(&pid, nullptr, nullptr))
            return fail(u"Kavri is already running (process %1)"_s.arg(pid));
        return fail(u"Kavri is already running"_s);
    case QLockFile::PermissionError:
        return fail(u"No permission to create %1"_s.arg(lockFilePath()));
    default:
        return fail(u"Cannot create %1"_s.arg(lockFilePath()));
    }
}

bool SingleInstance::listen()
{
    // Only the lock holder gets here, so a socket file found now is a crashed primary's.
    QLocalServer::removeServer(socketPath());
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (m_server->listen(socketPath()))
        return true;
    const QString reason = m_server->errorString();
    m_lock->unlock();
    return fail(u"Cannot listen on %1: %2"_s.arg(socketPath(), reason));
}

void SingleInstance::acceptClients()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection())
        new ClientSession(socket, [this](const QStringList &requests) { deliver(requests); });
}

void SingleInstance::deliver(const QStringList &requests)
{
    // From the event loop rather than the socket's handler: a slot may open a dialog with its own
    // loop, or delete this object.
    QMetaObject::invokeMethod(
        this,
        [this, requests] {
            const QPointer<SingleInstance> alive(this);
            for (const QString &request : requests) {
                if (!alive)
                    return;
                Q_EMIT requestReceived(request);
            }
        },
        Qt::QueuedConnection);
}

bool SingleInstance::sendToPrimary(const QStringList &requests, int timeoutMs)
{
    m_errorString.clear();
    if (isPrimary()) // it would wait for its own answer, which only its event loop can give
        return fail(u"This process is the running Kavri"_s);
    if (requests.size() > maxRequests)
        return fail(u"Too many requests at once (%1; at most %2)"_s.arg(requests.size()).arg(maxRequests));
    QByteArray message = QByteArray(greeting) + '\n';
    for (const QString &request : requests) {
        if (!isValidRequest(request))
            return fail(u"\"%1\" is not a request the running Kavri can take"_s.arg(request));
        message += request.toLatin1() + '\n';
    }
    message += '\n';

    const QDeadlineTimer deadline(std::max(timeoutMs, 0));
    QLocalSocket socket;
    if (!connectToPrimary(socket, deadline))
        return false;
    socket.write(message);
    while (!socket.canReadLine() && socket.bytesAvailable() <= maxLineBytes
        && socket.waitForReadyRead(remainingMs(deadline))) { }
    const QByteArray reply = socket.canReadLine() ? socket.readLine(maxLineBytes + 2).trimmed() : QByteArray();
    if (reply == "ok")
        return true;
    if (reply.startsWith("error "))
        return fail(u"The running Kavri refused the requests: %1"_s.arg(QString::fromLatin1(reply.mid(6))));
    if (!reply.isEmpty())
        return fail(u"The running Kavri gave an answer this version does not understand"_s);
    if (socket.state() != QLocalSocket::ConnectedState)
        return fail(u"The running Kavri hung up without an answer"_s);
    return fail(u"The running Kavri did not answer within %1 ms"_s.arg(timeoutMs));
}

bool SingleInstance::connectToPrimary(QLocalSocket &socket, const QDeadlineTimer &deadline)
{
    int absentLooks = 0;
    for (;;) {
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(remainingMs(deadline)))
            return true;
        socket.abort();
        // No owner is believed on the second look only: a primary that restarts leaves a short gap.
        absentLooks = primaryMayBeRunning() ? 0 : absentLooks + 1;
        if (absentLooks == 2 || (absentLooks > 0 && deadline.hasExpired()))
            return fail(u"No running Kavri to take the requests"_s);
        if (deadline.hasExpired())
            return fail(u"The running Kavri did not answer in time; it may still be starting"_s);
        QThread::msleep(std::min(connectRetryMs, remainingMs(deadline)));
    }
}

bool SingleInstance::primaryMayBeRunning() const
{
    const QLockFile lock(lockFilePath());
    qint64 pid = 0;
    if (!lock.getLockInfo(&pid, nullptr, nullptr))
        return QFileInfo::exists(lockFilePath()) && !isHalfWritten(lock); // its owner may be writing it now
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

bool SingleInstance::fail(const QString &message)
{
    m_errorString = message;
    return false;
}

} // namespace kavri
