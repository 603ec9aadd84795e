// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The update helper against a real HTTP server on loopback: the beta feed is read, the delegate
// hears how checks end (and never after it is gone), the daily schedule follows the stored date
// of the last check, and broken feeds, failing and dead servers are logged without a crash.
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include "platform/UserDefaults.h"
#include "services/update/SparkleHelper.h"
#include "support/LocalHttpServer.h"
#include "support/UpdateFakes.h"

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace kavri;

namespace {

const QDateTime epoch(QDate(2026, 6, 1), QTime(12, 0), Qt::UTC);

QByteArray feedWith(const QList<QByteArray> &versions)
{
    QByteArray items;
    for (const QByteArray &version : versions)
        items += "<item><title>Kavri</title><sparkle:version>" + version
            + "</sparkle:version><enclosure url=\"https://kavri.app/k.tar.gz\"/></item>";
    return test::appcastWith(items);
}

} // namespace

class TestUpdater : public QObject
{
    Q_OBJECT

private:
    LocalHttpServer m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
    LocalHttpServer::Response m_answer;
    QElapsedTimer m_elapsed;

    QString defaultsPath() const { return m_dir->filePath(u"defaults.plist"_s); }

    // A clock that runs from a fixed moment, shifted by `offset`.
    UpdaterOptions options(std::chrono::milliseconds initialDelay = 1h, qint64 offsetSeconds = 0)
    {
        UpdaterOptions result;
        result.currentVersion = u"150"_s;
        result.initialDelay = initialDelay;
        result.retryDelay = 2h;
        result.requestTimeout = 300ms;
        result.clock = [this, offsetSeconds] { return epoch.addSecs(offsetSeconds).addMSecs(m_elapsed.elapsed()); };
        return result;
    }

    // What an earlier run left: the date of its last successful check.
    void recordEarlierCheck(qint64 offsetSeconds)
    {
        UserDefaults defaults(defaultsPath());
        SparkleHelper earlier(defaults, options(1h, offsetSeconds));
        earlier.checkForUpdates();
        QTRY_VERIFY(earlier.lastUpdateCheckDate().has_value());
        m_server.clearRequests();
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_elapsed.start();
        qputenv("KAVRI_SERVER_BASE", m_server.base().toUtf8());
        m_server.setHandler([this](const LocalHttpServer::Request &) { return m_answer; });
    }

    void init()
    {
        QTest::failOnWarning(QRegularExpression(u".*"_s));
        qputenv("KAVRI_SERVER_BASE", m_server.base().toUtf8());
        m_dir = std::make_unique<QTemporaryDir>();
        m_answer = { 200, feedWith({ "140" }), { { "Content-Type", "application/rss+xml" } } };
        m_server.clearRequests();
    }

    void checkOutcomesReachTheDelegate_data()
    {
        QTest::addColumn<QList<QByteArray>>("versions");
        QTest::addColumn<QString>("found"); // empty: nothing newer
        QTest::newRow("newer build") << QList<QByteArray> { "151" } << u"151"_s;
        QTest::newRow("the newest of several, in any order")
            << QList<QByteArray> { "140", "160 beta 2", "155" } << u"160 beta 2"_s;
        QTest::newRow("the running build") << QList<QByteArray> { "150" } << QString();
        QTest::newRow("no releases at all") << QList<QByteArray>() << QString();
    }
    void checkOutcomesReachTheDelegate()
    {
        QFETCH(QList<QByteArray>, versions);
        QFETCH(QString, found);
        m_answer.body = feedWith(versions);
        UserDefaults defaults(defaultsPath());
        SparkleHelper helper(defaults, options());
        test::RecordingUpdateDelegate delegate;
        helper.setDelegate(&delegate);
        QSignalSpy foundSpy(helper.updater(), &Updater::updateFound);

        helper.checkForUpdates();
        QTRY_COMPARE(delegate.found + delegate.notFound, 1);
        QCOMPARE(delegate.found, found.isEmpty() ? 0 : 1);
        if (!found.isEmpty())
            QCOMPARE(foundSpy.first().first().value<AppcastItem>().version, found);
        QCOMPARE(m_server.requests().size(), 1);
        QCOMPARE(m_server.requests().first().path, QByteArray("/kavri/beta/appcast.xml"));
        QVERIFY(helper.lastUpdateCheckDate().has_value());
        QVERIFY(!helper.isShowingGentleReminder()); // nothing to show it with, and the user asked
    }

    void aDelegateGoneBeforeTheAnswerIsNotCalled()
    {
        UserDefaults defaults(defaultsPath());
        SparkleHelper helper(defaults, options());
        auto *delegate = new test::RecordingUpdateDelegate;
        helper.setDelegate(delegate);
        QSignalSpy notFound(helper.updater(), &Updater::updateNotFound);
        // The check ends, and the delegate goes before the main loop turns again.
        connect(helper.updater(), &Updater::updateNotFound, delegate, [delegate] { delete delegate; });
        helper.checkForUpdates();
        QTRY_COMPARE(notFound.count(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(helper.delegate(), nullptr);
    }

    void scheduleFollowsTheLastCheck_data()
    {
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<qint64>("lastCheckOffset"); // seconds from now; 0: none recorded
        QTest::addColumn<bool>("checksSoon");
        QTest::newRow("first run") << true << qint64(0) << true;
        QTest::newRow("last check over a day ago") << true << qint64(-25 * 3600) << true;
        QTest::newRow("last check an hour ago") << true << qint64(-3600) << false;
        QTest::newRow("last check in the future (clock set back)") << true << qint64(30 * 3600) << false;
        QTest::newRow("automatic checks turned off") << false << qint64(-25 * 3600) << false;
    }
    void scheduleFollowsTheLastCheck()
    {
        QFETCH(bool, automatic);
        QFETCH(qint64, lastCheckOffset);
        QFETCH(bool, checksSoon);
        if (lastCheckOffset != 0)
            recordEarlierCheck(lastCheckOffset);
        {
            UserDefaults defaults(defaultsPath());
            SparkleHelper settingsWindow(defaults, options());
            settingsWindow.setAutomaticallyChecksForUpdates(automatic);
        }

        UserDefaults defaults(defaultsPath()); // read back from the file, as at the next start
        SparkleHelper helper(defaults, options(20ms));
        const Updater *updater = helper.updater();
        QCOMPARE(helper.automaticallyChecksForUpdates(), automatic);
        const QDateTime now = epoch.addMSecs(m_elapsed.elapsed());
        if (checksSoon) {
            QTRY_COMPARE(m_server.requests().size(), 1);
            QTRY_VERIFY(!updater->checkInProgress());
            QVERIFY(helper.lastUpdateCheckDate() >= now.addSecs(-1));
            QCOMPARE(updater->nextScheduledCheckDate(), helper.lastUpdateCheckDate()->addDays(1));
            return;
        }
        QTest::qWait(150);
        QCOMPARE(m_server.requests().size(), 0);
        if (!automatic) {
            QVERIFY(!updater->nextScheduledCheckDate().has_value());
        } else if (lastCheckOffset < 0) {
            QCOMPARE(updater->nextScheduledCheckDate(), helper.lastUpdateCheckDate()->addDays(1));
        } else {
            // Never more than one interval away, whatever the stored date says.
            QVERIFY(updater->nextScheduledCheckDate() <= epoch.addMSecs(m_elapsed.elapsed()).addDays(1));
            QVERIFY(updater->nextScheduledCheckDate() > now.addSecs(23 * 3600));
        }
    }

    void failuresAreLoggedAndReported_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("message");
        QTest::newRow("malformed feed") << u"malformed"_s << u"not well-formed"_s;
        QTest::newRow("server error") << u"500"_s << u"HTTP status 500"_s;
        QTest::newRow("server never answers") << u"silent"_s << u"did not answer in time"_s;
        QTest::newRow("nothing listening") << u"dead"_s << u"refused"_s;
    }
    void failuresAreLoggedAndReported()
    {
        QFETCH(QString, failure);
        QFETCH(QString, message);
        if (failure == u"malformed"_s)
            m_answer.body = feedWith({ "151" }).chopped(20);
        else if (failure == u"500"_s)
            m_answer = { 500, "oops", {} };
        else if (failure == u"silent"_s)
            m_answer.neverAnswer = true;
        QTcpServer closed;
        if (failure == u"dead"_s) {
            QVERIFY(closed.listen(QHostAddress::LocalHost));
            const quint16 port = closed.serverPort();
            closed.close();
            qputenv("KAVRI_SERVER_BASE", u"http://127.0.0.1:%1"_s.arg(port).toUtf8());
        }

        UserDefaults defaults(defaultsPath());
        SparkleHelper helper(defaults, options());
        test::RecordingUpdateDelegate delegate;
        helper.setDelegate(&delegate);
        QSignalSpy failed(helper.updater(), &Updater::checkFailed);
        const QRegularExpression logged(u"Update check failed: .*"_s + QRegularExpression::escape(message),
            QRegularExpression::CaseInsensitiveOption);

        QTest::ignoreMessage(QtWarningMsg, logged);
        helper.checkForUpdates();
        QTRY_COMPARE(failed.count(), 1);
        QVERIFY2(failed.first().at(0).toString().contains(message, Qt::CaseInsensitive),
            qPrintable(failed.first().at(0).toString()));
        QCOMPARE(failed.first().at(1).toBool(), true);

        // Scheduled: the same failure stays in the log and the next try waits.
        QTest::ignoreMessage(QtWarningMsg, logged);
        helper.updater()->checkForUpdatesInBackground();
        QTRY_COMPARE(failed.count(), 2);
        QCOMPARE(failed.last().at(1).toBool(), false);
        QVERIFY(helper.updater()->nextScheduledCheckDate() > epoch.addMSecs(m_elapsed.elapsed()).addSecs(3600));

        QCoreApplication::processEvents();
        QCOMPARE(delegate.found + delegate.notFound, 0); // a failed check says nothing either way
        QVERIFY(!helper.lastUpdateCheckDate().has_value());
        QVERIFY(!helper.isShowingGentleReminder());
    }
};

QTEST_GUILESS_MAIN(TestUpdater)
#include "tst_updater.moc"
