// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Termination signals end the event loop the orderly way, through aboutToQuit, and never kill the
// process outright while Kavri runs: from inside or outside, before the loop runs, or while Kavri
// is already quitting. Once the application is gone, they terminate again.
#include <csignal>
#include <cstdio>

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <unistd.h>

#include "platform/TerminationSignals.h"

using namespace Qt::StringLiterals;
using kavri::TerminationSignals;

namespace {

// The child of quitsTheOrderlyWay(): "ready" once the loop runs, "flushed" from aboutToQuit.
int runChild(int argc, char *argv[])
{
    const QByteArray mode = argv[2];
    {
        QCoreApplication app(argc, argv);
        TerminationSignals::install();
        QObject::connect(&app, &QCoreApplication::aboutToQuit, &app, [&] {
            if (mode == "again-while-quitting")
                ::raise(SIGTERM);
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
    void quitsTheRunningLoop_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void quitsTheRunningLoop()
    {
        QFETCH(int, signalNumber);
        TerminationSignals &termination = TerminationSignals::install();
        QCOMPARE(&TerminationSignals::install(), &termination);
        QSignalSpy requested(&termination, &TerminationSignals::terminationRequested);
        QObject context;
        int quits = 0;
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &context, [&] { ++quits; });
        QTimer::singleShot(0, &context, [=] { ::kill(::getpid(), signalNumber); });
        QTimer::singleShot(30000, &context, [] { QCoreApplication::exit(1); }); // the signal got lost

        QTest::ignoreMessage(
            QtInfoMsg, qPrintable(u"Quitting on signal "_s + QLatin1StringView(QTest::currentDataTag())));
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(quits, 1);
        QCOMPARE(requested.count(), 1);
        QCOMPARE(requested.first().first().toInt(), signalNumber);
    }

    void quitsTheOrderlyWay_data()
    {
        QTest::addColumn<QByteArray>("mode");
        QTest::addColumn<int>("signalNumber");
        QTest::addColumn<bool>("survives");
        QTest::newRow("SIGTERM from the session") << QByteArray("wait") << SIGTERM << true;
        QTest::newRow("SIGHUP from the session") << QByteArray("wait") << SIGHUP << true;
        QTest::newRow("raised before the loop runs") << QByteArray("before-the-loop") << 0 << true;
        QTest::newRow("again while quitting") << QByteArray("again-while-quitting") << SIGTERM << true;
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
        QVERIFY(child.readAllStandardOutput().contains("flushed\n"));
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
