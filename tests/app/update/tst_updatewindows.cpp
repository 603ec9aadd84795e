// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The update windows on real widgets, fed by a real HTTP server on loopback: what a found update
// shows and where "Download" goes, the gentle reminder of a scheduled find and what ends it, a
// skipped version across restarts, and the answers to checks the user started.
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include "app/update/ReleaseNotesView.h"
#include "app/update/StandardUserDriver.h"
#include "platform/UserDefaults.h"
#include "services/update/SparkleHelper.h"
#include "support/LocalHttpServer.h"
#include "support/UpdateFakes.h"

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace kavri;

class TestUpdateWindows : public QObject
{
    Q_OBJECT

private:
    LocalHttpServer m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<UserDefaults> m_defaults;
    std::unique_ptr<SparkleHelper> m_helper;
    StandardUserDriver *m_driver = nullptr;
    test::RecordingUpdateDelegate m_delegate;
    QList<QUrl> m_opened;
    QByteArray m_feed;
    QByteArray m_notesPath = "/notes/2.0.html";

    QByteArray item(const QByteArray &version, const QByteArray &notesLink = {})
    {
        return "<item><title>Kavri</title><sparkle:version>" + version
            + "</sparkle:version><sparkle:shortVersionString>2.0</sparkle:shortVersionString>"
              "<link>https://kavri.app/kavri/</link>"
              "<description><![CDATA[<p>From the feed</p>]]></description>"
            + (notesLink.isEmpty() ? QByteArray()
                                   : "<sparkle:releaseNotesLink>" + notesLink + "</sparkle:releaseNotesLink>")
            + "<enclosure url=\"https://kavri.app/kavri/Kavri-" + version + ".tar.gz\"/></item>";
    }
    void serveFeed(const QByteArray &items) { m_feed = test::appcastWith(items); }
    int feedRequests() const
    {
        return int(std::count_if(m_server.requests().cbegin(), m_server.requests().cend(),
            [](const LocalHttpServer::Request &r) { return r.path.endsWith("appcast.xml"); }));
    }

    // Kavri as it starts: the helper over the settings file, with the update windows.
    void start(std::chrono::milliseconds initialDelay = 1h)
    {
        m_helper.reset();
        m_defaults = std::make_unique<UserDefaults>(m_dir->filePath(u"defaults.plist"_s));
        UpdaterOptions options;
        options.currentVersion = u"150"_s;
        options.initialDelay = initialDelay;
        options.requestTimeout = 2s;
        m_helper = std::make_unique<SparkleHelper>(*m_defaults, options);
        auto driver = std::make_unique<StandardUserDriver>(u"1.5"_s);
        driver->setUrlOpener([this](const QUrl &url) {
            m_opened.append(url);
            return true;
        });
        m_driver = driver.get();
        m_helper->setUserDriver(std::move(driver));
        m_helper->setDelegate(&m_delegate);
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_server.setHandler([this](const LocalHttpServer::Request &request) -> LocalHttpServer::Response {
            if (request.path == "/kavri/beta/appcast.xml")
                return { 200, m_feed, { { "Content-Type", "application/rss+xml" } } };
            if (request.path == m_notesPath)
                return { 200,
                    "<html><body><h1>Kavri 2.0</h1><p>Faster captures.</p>"
                    "<script>document.write('ran')</script><img src=\""
                        + m_server.url(u"/pixel.png"_s).toEncoded()
                        + "\"><a href=\"https://kavri.app/more\">More</a></body></html>",
                    { { "Content-Type", "text/html; charset=utf-8" } } };
            return { 404, "missing", {} };
        });
    }

    void init()
    {
        QTest::failOnWarning(QRegularExpression(u"^(?!This plugin does not support)"_s));
        qputenv("KAVRI_SERVER_BASE", m_server.base().toUtf8());
        m_dir = std::make_unique<QTemporaryDir>();
        m_delegate.found = m_delegate.notFound = 0;
        m_opened.clear();
        m_server.clearRequests();
    }

    void cleanup()
    {
        m_helper.reset();
        m_defaults.reset();
    }

    void aFoundUpdateShowsWhatIsNew_data()
    {
        QTest::addColumn<QByteArray>("notesLink");
        QTest::addColumn<QString>("notes");
        QTest::newRow("release notes page") << QByteArray("/notes/2.0.html") << u"Faster captures."_s;
        QTest::newRow("page missing: the item's description") << QByteArray("/notes/gone.html") << u"From the feed"_s;
        QTest::newRow("no page: the item's description") << QByteArray() << u"From the feed"_s;
        QTest::newRow("local file: never read") << QByteArray("file:///etc/passwd") << u"From the feed"_s;
    }
    void aFoundUpdateShowsWhatIsNew()
    {
        QFETCH(QByteArray, notesLink);
        QFETCH(QString, notes);
        const bool missingPage = notesLink == "/notes/gone.html";
        if (notesLink.startsWith('/'))
            notesLink = m_server.url(QString::fromLatin1(notesLink)).toEncoded();
        serveFeed(item("140") + item("200", notesLink));
        start();
        QSignalSpy reminder(m_helper.get(), &SparkleHelper::gentleReminderChanged);
        QSignalSpy notesShown(m_driver, &StandardUserDriver::releaseNotesShown);
        if (missingPage)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"Release notes not loaded: .*404"_s));

        m_helper->checkForUpdates();
        QTRY_VERIFY(m_driver->updateAlert());
        const QPointer<UpdateAlert> alert = m_driver->updateAlert();
        QVERIFY(alert->isVisible());
        QCOMPARE(alert->headingText(), u"A new version of Kavri is available!"_s);
        QVERIFY(alert->informativeText().contains(u"Kavri 2.0 is now available"_s));
        QVERIFY(alert->informativeText().contains(u"you have 1.5"_s));
        QTRY_COMPARE(notesShown.count(), 1);
        const QString shown = alert->releaseNotesView()->toPlainText();
        QVERIFY2(shown.contains(notes), qPrintable(shown));
        QVERIFY(!shown.contains(u"ran"_s));
        QVERIFY(alert->releaseNotesView()->isReadOnly());
        QTRY_COMPARE(m_delegate.found, 1);

        QTest::mouseClick(alert->downloadButton(), Qt::LeftButton);
        QTRY_VERIFY(alert.isNull());
        QCOMPARE(m_opened, QList<QUrl> { QUrl(u"https://kavri.app/kavri/Kavri-200.tar.gz"_s) });
        QVERIFY(!m_helper->updater()->sessionInProgress());
        QCOMPARE(reminder.count(), 0); // the user asked: no reminder
        for (const LocalHttpServer::Request &request : m_server.requests())
            QVERIFY2(!request.path.contains("pixel"), "release notes must not load remote images");
    }

    void aScheduledFindRemindsGentlyUntilAttendedTo_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::newRow("asking again (tray click)") << u"ask"_s;
        QTest::newRow("clicking into the window") << u"click"_s;
        QTest::newRow("Remind Me Later") << u"later"_s;
        QTest::newRow("window closed") << u"close"_s;
    }
    void aScheduledFindRemindsGentlyUntilAttendedTo()
    {
        QFETCH(QString, ending);
        serveFeed(item("200"));
        start(10ms);
        QSignalSpy reminder(m_helper.get(), &SparkleHelper::gentleReminderChanged);

        QTRY_VERIFY(m_driver->updateAlert());
        const QPointer<UpdateAlert> alert = m_driver->updateAlert();
        QVERIFY(m_helper->isShowingGentleReminder());
        QCOMPARE(reminder.count(), 1);
        QVERIFY(alert->testAttribute(Qt::WA_ShowWithoutActivating));

        if (ending == u"ask"_s) {
            m_helper->checkForUpdates();
            QCOMPARE(m_driver->updateAlert(), alert.data()); // the same window, brought forward
            QVERIFY(!m_helper->isShowingGentleReminder());
            QCOMPARE(feedRequests(), 1);
            alert->remindLaterButton()->click();
        } else if (ending == u"click"_s) {
            QTest::mouseClick(alert->releaseNotesView()->viewport(), Qt::LeftButton);
            QVERIFY(!m_helper->isShowingGentleReminder());
            QVERIFY(m_helper->updater()->sessionInProgress()); // still deciding
            alert->skipButton()->click();
        } else if (ending == u"later"_s) {
            QTest::mouseClick(alert->remindLaterButton(), Qt::LeftButton);
        } else {
            alert->close();
        }
        QTRY_VERIFY(alert.isNull());
        QVERIFY(!m_helper->isShowingGentleReminder());
        QCOMPARE(reminder.count(), 2);
        QVERIFY(!m_helper->updater()->sessionInProgress());
        QVERIFY(m_opened.isEmpty());
    }

    void aSkippedVersionStaysSkipped()
    {
        serveFeed(item("200"));
        start();
        m_helper->updater()->checkForUpdatesInBackground();
        QTRY_VERIFY(m_driver->updateAlert());
        m_driver->updateAlert()->skipButton()->click();
        QTRY_VERIFY(!m_driver->updateAlert());

        start(); // the next run of Kavri
        QSignalSpy notFound(m_helper->updater(), &Updater::updateNotFound);
        m_helper->updater()->checkForUpdatesInBackground();
        QTRY_COMPARE(notFound.count(), 1);
        QVERIFY(!m_driver->updateAlert());
        QVERIFY(!m_helper->isShowingGentleReminder());

        // Asked for explicitly, the skipped version is still offered.
        m_helper->checkForUpdates();
        QTRY_VERIFY(m_driver->updateAlert());
        QVERIFY(!m_helper->isShowingGentleReminder());
        m_driver->updateAlert()->close();
        QTRY_VERIFY(!m_driver->updateAlert());

        // A later version is news again.
        serveFeed(item("200") + item("201"));
        m_helper->updater()->checkForUpdatesInBackground();
        QTRY_VERIFY(m_driver->updateAlert());
        QCOMPARE(m_driver->updateAlert()->item().version, u"201"_s);
        QVERIFY(m_helper->isShowingGentleReminder());
    }

    void checksTheUserStartedAlwaysAnswer()
    {
        serveFeed(item("150"));
        start();
        m_helper->checkForUpdates();
        QTRY_VERIFY(m_driver->messageBox());
        QCOMPARE(m_driver->messageBox()->text(), u"Kavri is up to date."_s);
        QCOMPARE(m_driver->messageBox()->icon(), QMessageBox::Information);
        QTRY_COMPARE(m_delegate.notFound, 1);
        m_driver->messageBox()->close();
        QTRY_VERIFY(!m_driver->messageBox());

        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        qputenv("KAVRI_SERVER_BASE", u"http://127.0.0.1:%1"_s.arg(closed.serverPort()).toUtf8());
        closed.close();
        const QRegularExpression logged(u"Update check failed: .*refused"_s, QRegularExpression::CaseInsensitiveOption);

        QTest::ignoreMessage(QtWarningMsg, logged);
        QSignalSpy failed(m_helper->updater(), &Updater::checkFailed);
        m_helper->updater()->checkForUpdatesInBackground();
        QTRY_COMPARE(failed.count(), 1);
        QVERIFY(!m_driver->messageBox()); // the schedule only logs

        QTest::ignoreMessage(QtWarningMsg, logged);
        m_helper->checkForUpdates();
        QTRY_VERIFY(m_driver->messageBox());
        QCOMPARE(m_driver->messageBox()->text(), u"Kavri could not check for updates."_s);
        QCOMPARE(m_driver->messageBox()->icon(), QMessageBox::Warning);
        QVERIFY(m_driver->messageBox()->informativeText().contains(u"refused"_s, Qt::CaseInsensitive));
        QCOMPARE(m_delegate.found + m_delegate.notFound, 1);
    }
};

QTEST_MAIN(TestUpdateWindows)
#include "tst_updatewindows.moc"
