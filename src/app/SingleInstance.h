// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include <QObject>
#include <QStringList>

class QDeadlineTimer;
class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace kavri {

// One running Kavri per user. The process that holds the lock file in a private per-user
// directory is the primary; it listens on a local socket there, and later starts hand it their
// requests (short ASCII words such as "capture-text"; a plain second start sends "activate").
//
// On the wire a client sends "kavri 1", its requests and an empty line, one per line (at most
// 256 bytes each, printable ASCII without spaces); the primary answers "ok" once it has taken
// them, or "error REASON" and hangs up on anything else. It never waits for a client.
// Main thread only.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(QString directory = defaultDirectory(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // $XDG_RUNTIME_DIR/kavri, or "kavri" in Qt's fallback runtime directory.
    static QString defaultDirectory();
    // Whether \a request can travel to the primary.
    static bool isValidRequest(const QString &request);

    // True when this process now is the one instance: lock held, server listening. Creates the
    // directory (0700) if needed and clears what a crashed primary left behind. False when
    // another process holds the lock, or on an error (see errorString()).
    bool claim();
    bool isPrimary() const;

    // From a process that is not the primary: hands \a requests to it and blocks until it has
    // taken them (true) or \a timeoutMs have passed (false). A primary that holds the lock but
    // does not listen yet is retried until then; with no primary at all it fails at once. No
    // requests: only checks that a primary answers. At most 32 requests, each isValidRequest().
    bool sendToPrimary(const QStringList &requests, int timeoutMs = 3000);

    // Why the last claim() or sendToPrimary() failed, for the user.
    QString errorString() const { return m_errorString; }
    QString socketPath() const;
    QString lockFilePath() const;

Q_SIGNALS:
    // In the primary, request by request in the order they arrived.
    void requestReceived(const QString &request);

private:
    bool preparePrivateDirectory();
    bool takeLock();
    bool listen();
    bool connectToPrimary(QLocalSocket &socket, const QDeadlineTimer &deadline);
    bool primaryMayBeRunning() const;
    void acceptClients();
    void deliver(const QStringList &requests);
    bool fail(const QString &message);

    QString m_directory;
    QString m_errorString;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};

} // namespace kavri
