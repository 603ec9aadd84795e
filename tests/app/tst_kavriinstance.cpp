// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The real kavri on a private X server, watched from outside through its log: its shortcuts and
// later starts reach the one running instance, and the session's SIGTERM ends it cleanly.
#include <csignal>

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "support/X11Tools.h"

using namespace Qt::StringLiterals;

class TestKavriInstance : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QProcess m_kavri;
    QByteArray m_log;

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_CONFIG_HOME"_s, m_home.filePath(u"config"_s));
        env.insert(u"XDG_DATA_HOME"_s, m_home.filePath(u"data"_s));
        // A selection the user dismisses at once.
        env.insert(u"KAVRI_SCREENCAPTURE"_s, u"/bin/true"_s);
        env.insert(u"QT_LOGGING_RULES"_s, u"kavri.*=true"_s);
        return env;
    }

    bool logShows(const QByteArray &line)
    {
        m_log += m_kavri.readAllStandardError();
        return m_log.contains(line);
    }

    // Another start of kavri, to its end.
    int runSecond(const QStringList &arguments, QByteArray *errors = nullptr)
    {
        QProcess second;
        second.setProcessEnvironment(environment());
        second.start(QStringLiteral(KAVRI_BINARY), arguments);
        if (!second.waitForFinished(15000) || second.exitStatus() != QProcess::NormalExit)
            return -1;
        if (errors)
            *errors = second.readAllStandardError();
        return second.exitCode();
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_kavri.setProcessEnvironment(environment());
        m_kavri.start(QStringLiteral(KAVRI_BINARY), {});
        QVERIFY(m_kavri.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(logShows("is running"), 15000);
    }

    void theShortcutReachesTheRunningInstance()
    {
        QVERIFY(kavri::test::runX11Tool(u"xdotool"_s, { u"key"_s, u"ctrl+shift+8"_s }));
        QTRY_VERIFY(logShows("Shortcut captureScreen released"));
        QTRY_VERIFY(logShows("Capture finished: cancelled"));
    }

    void laterStartsHandTheirRequestsOver()
    {
        QByteArray errors;
        QCOMPARE(runSecond({ u"--capture-text"_s }, &errors), 0);
        QVERIFY2(errors.contains("already running"), errors.constData());
        QTRY_VERIFY(logShows("Request capture-text from another kavri process"));
        QCOMPARE(runSecond({}), 0);
        QTRY_VERIFY(logShows("Request activate from another kavri process"));
        QCOMPARE(m_kavri.state(), QProcess::Running);
    }

    void sigtermEndsItCleanly()
    {
        ::kill(pid_t(m_kavri.processId()), SIGTERM);
        QVERIFY(m_kavri.waitForFinished(10000));
        QCOMPARE(m_kavri.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_kavri.exitCode(), 0);
        QVERIFY(logShows("SIGTERM"));
        // Its place is free again: the next start runs Kavri and performs the request itself.
        m_kavri.start(QStringLiteral(KAVRI_BINARY), { u"--capture-text"_s });
        QTRY_VERIFY_WITH_TIMEOUT(logShows("Request capture-text from the command line"), 15000);
        m_kavri.terminate();
        QVERIFY(m_kavri.waitForFinished(10000));
        QCOMPARE(m_kavri.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestKavriInstance)
#include "tst_kavriinstance.moc"
