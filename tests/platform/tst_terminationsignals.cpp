// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Termination signals end the event loop the orderly way, through aboutToQuit, and never kill the
// process outright while Kavri runs: from outside, before the loop runs, or while Kavri is already
// quitting. Once the application is gone, they terminate again.
#include <csignal>
#include <cstdio>

#include <QProcess>
#include <QTest>
#include <QTimer>

#include <unistd.h>

#include "platform/TerminationSignals.h"

using namespace Qt::StringLiterals;

namespace {

// The child of each test row: "ready" once the loop runs, "flushed" from aboutToQuit.
int runChild(int argc, char *argv[])
{
    const QByteArray mode = argv[2];
    {
        QCoreApplication app(argc, argv);
        kavri::TerminationSignals::install();
        QObject::connect(&app, &QCoreApplication::aboutToQuit, &app, [] {
            ::raise(SIGTERM); // a second signal while quitting must do no harm
            std::puts("flushed");
            std::fflush(stdout);
        });
        if (mode == "before-the-loop") {
            ::raise(SIGTERM);
            QCoreApplication::processEvents(); // handled, but quit() does nothing before exec()
        }
        QTimer::singleShot(0, &app, [] {
            std::puts("ready");
            std::fflush(stdout);
        });
        if (QCoreApplication::exec() != 0)
            return 1;
    }
    if (mode == "after-the-application")
        ::raise(SIGTERM);
    return 0;
}

} // namespace

class TestTerminationSignals : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void quitsTheOrderlyWay_data()
    {
        QTest::addColumn<QByteArray>("mode");
        QTest::addColumn<int>("signalNumber");
        QTest::addColumn<bool>("survives");
        QTest::newRow("SIGTERM") << QByteArray("wait") << SIGTERM << true;
        QTest::newRow("SIGINT") << QByteArray("wait") << SIGINT << true;
        QTest::newRow("SIGHUP") << QByteArray("wait") << SIGHUP << true;
        QTest::newRow("raised before the loop runs") << QByteArray("before-the-loop") << 0 << true;
        QTest::newRow("after the application is gone") << QByteArray("after-the-application") << SIGTERM << false;
    }
    void quitsTheOrderlyWay()
    {
        QFETCH(QByteArray, mode);
        QFETCH(int, signalNumber);
        QFETCH(bool, survives);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), { u"--child"_s, QString::fromLatin1(mode) });
        QVERIFY(child.waitForStarted());
        if (signalNumber != 0) {
            QVERIFY(child.waitForReadyRead());
            QCOMPARE(::kill(pid_t(child.processId()), signalNumber), 0);
        }
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.readAllStandardOutput().count("flushed\n"), 1);
        QCOMPARE(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, survives);
    }
};

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argc, argv);
    QCoreApplication app(argc, argv);
    TestTerminationSignals test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_terminationsignals.moc"
