// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// One Kavri per user, over real sockets with real second processes: who becomes the primary, what
// later starts hand over, what a crashed primary leaves behind, and clients that misbehave.
#include <memory>

#include <QLocalSocket>
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

// tests/support/InstanceClient.cpp: a start that becomes the primary or hands its requests over.
std::unique_ptr<QProcess> startKavri(const QString &directory, const QStringList &requests)
{
    auto process = std::make_unique<QProcess>();
    process->start(QStringLiteral(INSTANCE_CLIENT), QStringList { directory, QString::number(patientMs) } + requests);
    return process;
}

// The exit code of a start that ends; events keep flowing so that a primary in this process can answer.
int finished(QProcess &process)
{
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 30000))
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

int handOver(const QString &directory, const QStringList &requests)
{
    return finished(*startKavri(directory, requests));
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
        QVERIFY(!SingleInstance(dir.path()).claim());

        QCOMPARE(handOver(dir.path(), { u"capture-text"_s, u"activate"_s }), 0);
        QCOMPARE(handOver(dir.path(), { u"capture-qr"_s }), 0);
        QTRY_COMPARE(received(spy), QStringList({ u"capture-text"_s, u"activate"_s, u"capture-qr"_s }));
    }

    void runtimeFilesArePrivate()
    {
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        const QString directory = SingleInstance::defaultDirectory();
        QCOMPARE(directory, runtime.filePath(u"kavri"_s));
        QVERIFY(QDir().mkdir(directory, QFile::Permissions(0x7777))); // left open by someone

        SingleInstance primary;
        QVERIFY2(primary.claim(), qPrintable(primary.errorString()));
        const auto groupOrOthers = QFile::Permissions(0x0077);
        QCOMPARE(QFileInfo(directory).permissions() & groupOrOthers, QFile::Permissions());
        QCOMPARE(QFileInfo(primary.socketPath()).permissions() & groupOrOthers, QFile::Permissions());
    }

    void twoStartsAtOnceMakeOnePrimary()
    {
        QTemporaryDir dir;
        QStringList others { u"one"_s, u"two"_s, u"three"_s };
        std::vector<std::unique_ptr<QProcess>> starts;
        for (const QString &request : others)
            starts.push_back(startKavri(dir.path(), { request }));
        const auto handedOver
            = [](const auto &start) { return start->state() == QProcess::NotRunning && start->exitCode() == 0; };
        QTRY_COMPARE_WITH_TIMEOUT(std::count_if(starts.begin(), starts.end(), handedOver), 2, 30000);
        const auto primary = std::find_if_not(starts.begin(), starts.end(), handedOver);
        QCOMPARE((*primary)->state(), QProcess::Running);
        others.removeAt(primary - starts.begin());

        QTRY_COMPARE((*primary)->peek(100).count('\n'), 3);
        QStringList lines = QString::fromLatin1((*primary)->readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.takeFirst(), u"primary"_s);
        lines.sort();
        others.sort();
        QCOMPARE(lines, others);
        (*primary)->kill();
        QVERIFY((*primary)->waitForFinished());
    }

    void crashedPrimaryLeavesNothingInTheWay_data()
    {
        QTest::addColumn<bool>("halfWrittenLock");
        QTest::newRow("lock and socket") << false;
        QTest::newRow("half-written lock") << true;
    }
    void crashedPrimaryLeavesNothingInTheWay()
    {
        QFETCH(bool, halfWrittenLock);
        QTemporaryDir dir;
        const auto crashed = startKavri(dir.path(), {});
        QVERIFY(crashed->waitForReadyRead());
        QCOMPARE(crashed->readLine(), "primary\n");
        crashed->kill();
        QVERIFY(crashed->waitForFinished());

        SingleInstance next(dir.path());
        QVERIFY(QFile::exists(next.lockFilePath()) && QFile::exists(next.socketPath()));
        if (halfWrittenLock) {
            QFile lock(next.lockFilePath());
            QVERIFY(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFile::FileModificationTime));
        }

        QVERIFY(!next.sendToPrimary({ u"activate"_s }, patientMs));
        QVERIFY2(next.errorString().startsWith(u"No running Kavri"_s), qPrintable(next.errorString()));
        QVERIFY2(next.claim(), qPrintable(next.errorString()));
        QSignalSpy spy(&next, &SingleInstance::requestReceived);
        QCOMPARE(handOver(dir.path(), { u"activate"_s }), 0);
        QTRY_COMPARE(spy.count(), 1);
    }

    void misbehavingClientsHarmNoOne_data()
    {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<bool>("refused");
        const QByteArray hello = "kavri 1\n";
        QTest::newRow("not a Kavri client") << QByteArray("GET / HTTP/1.1\r\n\r\n") << true;
        QTest::newRow("overlong line") << hello + QByteArray(257, 'a') + "\n\n" << true;
        QTest::newRow("not a request") << hello + "capt\xc3\xbcre\n\n" << true;
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
        QVERIFY(client.flush());
        if (refused) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^Hung up on a client"_s));
            QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);
            QVERIFY(client.readAll().startsWith("error "));
        } else {
            client.disconnectFromServer();
        }

        QCOMPARE(handOver(dir.path(), { u"capture-qr"_s }), 0);
        QTRY_COMPARE(received(spy), QStringList { u"capture-qr"_s });
        QCOMPARE(stalled.state(), QLocalSocket::ConnectedState);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
