// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// One Kavri per user, over real sockets with real second processes: who becomes the primary, what
// later starts hand over, what a crashed primary leaves behind, and clients that misbehave.
#include <memory>

#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "app/SingleInstance.h"

using namespace Qt::StringLiterals;
using kavri::SingleInstance;

namespace {

// Long enough that a send which should fail at once visibly hangs instead.
constexpr int patientMs = 600000;
constexpr QFile::Permissions groupOrOthers
    = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

// tests/support/InstanceClient.cpp: a start that becomes the primary or hands its requests over.
std::unique_ptr<QProcess> startKavri(const QString &directory, const QStringList &requests)
{
    auto process = std::make_unique<QProcess>();
    process->start(QStringLiteral(INSTANCE_CLIENT), QStringList { directory, QString::number(patientMs) } + requests);
    return process;
}

// A second start while this process is the primary: events keep flowing so that it can answer.
int handOver(const QString &directory, const QStringList &requests)
{
    const auto process = startKavri(directory, requests);
    if (!QTest::qWaitFor([&] { return process->state() == QProcess::NotRunning; }, 30000))
        return -1;
    return process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
}

QStringList received(const QSignalSpy &spy)
{
    QStringList requests;
    for (const QList<QVariant> &arguments : spy)
        requests.append(arguments.first().toString());
    return requests;
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void laterStartsHandTheirRequestsToTheFirst()
    {
        QTemporaryDir dir;
        SingleInstance primary(dir.path());
        QVERIFY2(primary.claim(), qPrintable(primary.errorString()));
        QSignalSpy spy(&primary, &SingleInstance::requestReceived);

        SingleInstance second(dir.path());
        QVERIFY(!second.claim());
        QVERIFY(second.errorString().contains(QString::number(QCoreApplication::applicationPid())));
        QVERIFY(!second.sendToPrimary({ u"capture text"_s }));
        QVERIFY(second.errorString().contains(u"capture text"_s));

        QCOMPARE(handOver(dir.path(), { u"capture-text"_s, u"activate"_s }), 0);
        QCOMPARE(handOver(dir.path(), { u"capture-qr"_s }), 0);
        QTRY_COMPARE(received(spy), QStringList({ u"capture-text"_s, u"activate"_s, u"capture-qr"_s }));
    }

    void runtimeFilesArePrivate_data()
    {
        QTest::addColumn<bool>("folderLeftOpen");
        QTest::newRow("new folder") << false;
        QTest::newRow("folder left open") << true;
    }
    void runtimeFilesArePrivate()
    {
        QFETCH(bool, folderLeftOpen);
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        const QString directory = SingleInstance::defaultDirectory();
        QCOMPARE(directory, runtime.filePath(u"kavri"_s));
        if (folderLeftOpen)
            QVERIFY(QDir().mkdir(directory, QFile::Permissions(0x7777)));

        SingleInstance primary;
        QVERIFY2(primary.claim(), qPrintable(primary.errorString()));
        QCOMPARE(QFileInfo(directory).permissions() & groupOrOthers, QFile::Permissions());
        QCOMPARE(QFileInfo(primary.socketPath()).permissions() & groupOrOthers, QFile::Permissions());
    }

    void twoStartsAtOnceMakeOnePrimary()
    {
        QTemporaryDir dir;
        std::vector<std::unique_ptr<QProcess>> starts;
        for (const QString &request : { u"one"_s, u"two"_s, u"three"_s })
            starts.push_back(startKavri(dir.path(), { request }));
        const auto handedOver = [&] {
            return std::count_if(starts.begin(), starts.end(),
                [](const auto &start) { return start->state() == QProcess::NotRunning && start->exitCode() == 0; });
        };
        QTRY_COMPARE_WITH_TIMEOUT(handedOver(), 2, 30000);
        const auto primary = std::find_if(
            starts.begin(), starts.end(), [](const auto &start) { return start->state() == QProcess::Running; });
        QVERIFY(primary != starts.end());
        QTRY_COMPARE((*primary)->peek(100).count('\n'), 3);
        const QList<QByteArray> lines = (*primary)->readAllStandardOutput().split('\n');
        QCOMPARE(lines.size(), 4); // "primary", the others' requests, an empty end
        QCOMPARE(lines.at(0), "primary");
        QSet<QByteArray> requests { lines.at(1), lines.at(2) };
        QCOMPARE(requests.size(), 2);
        QVERIFY(requests.subtract({ "one", "two", "three" }).isEmpty());
        (*primary)->kill();
        QVERIFY((*primary)->waitForFinished());
    }

    void crashedPrimaryLeavesNothingInTheWay_data()
    {
        QTest::addColumn<bool>("keepLock");
        QTest::addColumn<bool>("keepSocket");
        QTest::addColumn<bool>("emptyLock");
        QTest::newRow("lock and socket") << true << true << false;
        QTest::newRow("socket only") << false << true << false;
        QTest::newRow("lock only") << true << false << false;
        QTest::newRow("half-written lock") << true << true << true;
    }
    void crashedPrimaryLeavesNothingInTheWay()
    {
        QFETCH(bool, keepLock);
        QFETCH(bool, keepSocket);
        QFETCH(bool, emptyLock);
        QTemporaryDir dir;
        const auto crashed = startKavri(dir.path(), {});
        QVERIFY(crashed->waitForReadyRead());
        QCOMPARE(crashed->readLine(), "primary\n");
        crashed->kill();
        QVERIFY(crashed->waitForFinished());

        SingleInstance next(dir.path());
        QVERIFY(QFile::exists(next.lockFilePath()) && QFile::exists(next.socketPath()));
        if (!keepLock)
            QVERIFY(QFile::remove(next.lockFilePath()));
        if (!keepSocket)
            QVERIFY(QFile::remove(next.socketPath()));
        if (emptyLock) {
            QFile lock(next.lockFilePath());
            QVERIFY(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFile::FileModificationTime));
        }

        QVERIFY(!next.sendToPrimary({ u"activate"_s }, patientMs));
        QVERIFY2(next.errorString().startsWith(u"No running Kavri"_s), qPrintable(next.errorString()));
        QVERIFY2(next.claim(), qPrintable(next.errorString()));
        QSignalSpy spy(&next, &SingleInstance::requestReceived);
        QCOMPARE(handOver(dir.path(), { u"activate"_s }), 0);
        QTRY_COMPARE(received(spy), QStringList { u"activate"_s });
    }

    void primaryStillStartingIsWaitedFor()
    {
        QTemporaryDir dir;
        SingleInstance primary(dir.path());
        QLockFile starting(primary.lockFilePath()); // holds the lock, does not listen yet
        QVERIFY(starting.tryLock(0));
        const auto second = startKavri(dir.path(), { u"capture-text"_s });
        QVERIFY(second->waitForStarted());
        QTest::qWait(200); // lets it find nobody listening; it must pass either way

        starting.unlock();
        QVERIFY2(primary.claim(), qPrintable(primary.errorString()));
        QSignalSpy spy(&primary, &SingleInstance::requestReceived);
        QTRY_COMPARE_WITH_TIMEOUT(second->state(), QProcess::NotRunning, 30000);
        QCOMPARE(second->exitCode(), 0);
        QTRY_COMPARE(received(spy), QStringList { u"capture-text"_s });
    }

    void misbehavingClientsHarmNoOne_data()
    {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<bool>("refused");
        const QByteArray hello = "kavri 1\n";
        QTest::newRow("not a Kavri client") << QByteArray("GET / HTTP/1.1\r\n\r\n") << true;
        QTest::newRow("binary") << QByteArray("\0\xff\xfe\n", 4) << true;
        QTest::newRow("overlong request") << hello + QByteArray(257, 'a') + "\n\n" << true;
        QTest::newRow("endless line") << QByteArray(100000, 'a') << true;
        QTest::newRow("not ASCII") << hello + "capt\xc3\xbcre\n\n" << true;
        QTest::newRow("space inside") << hello + "capture text\n\n" << true;
        QTest::newRow("too many") << hello + QByteArray("a\n").repeated(33) + "\n" << true;
        QTest::newRow("gone midway") << hello + "capture-text\n" << false;
    }
    void misbehavingClientsHarmNoOne()
    {
        QFETCH(QByteArray, sent);
        QFETCH(bool, refused);
        QTemporaryDir dir;
        SingleInstance primary(dir.path());
        QVERIFY2(primary.claim(), qPrintable(primary.errorString()));
        QSignalSpy spy(&primary, &SingleInstance::requestReceived);
        QLocalSocket stalled; // says hello and then nothing: must hold up no one
        stalled.connectToServer(primary.socketPath());
        QVERIFY(stalled.waitForConnected());
        stalled.write("kavri 1\nactivate\n");

        QLocalSocket client;
        client.connectToServer(primary.socketPath());
        QVERIFY(client.waitForConnected());
        client.write(sent);
        if (refused) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^Hung up on a client"_s));
            QTRY_VERIFY(client.canReadLine());
            QVERIFY(client.readLine().startsWith("error "));
            QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);
        } else {
            QVERIFY(client.flush());
            client.disconnectFromServer();
        }

        QCOMPARE(handOver(dir.path(), { u"capture-qr"_s }), 0);
        QTRY_COMPARE(received(spy), QStringList { u"capture-qr"_s });
        QCOMPARE(stalled.state(), QLocalSocket::ConnectedState);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
