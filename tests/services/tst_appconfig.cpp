// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The remote configuration against a real HTTP server on loopback: what is in force before, after
// and despite a download, what reaches the cache file, and when a download is due.
#include <QFile>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <plist/plist.h>

#include "platform/UserDefaults.h"
#include "services/QelAppConfig.h"
#include "services/QelAppConfigDelegate.h"
#include "support/LocalHttpServer.h"
#include "support/ServiceFakes.h"

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using kavri::QelAppConfig;
using kavri::UserDefaults;

namespace {

QByteArray toBinary(const QByteArray &xml)
{
    plist_t root = nullptr;
    plist_from_xml(xml.constData(), uint32_t(xml.size()), &root);
    char *bin = nullptr;
    uint32_t length = 0;
    plist_to_bin(root, &bin, &length);
    const QByteArray bytes(bin, qsizetype(length));
    plist_to_bin_free(bin);
    plist_free(root);
    return bytes;
}

class ReadinessProbe : public kavri::QelAppConfigDelegate
{
public:
    int calls = 0;
    bool killSwitchSeen = true;
    void appConfigDelegateIsReady(QelAppConfig &config) override
    {
        ++calls;
        killSwitchSeen = config.killSwitch();
    }
};

} // namespace

class TestAppConfig : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<UserDefaults> m_defaults;
    LocalHttpServer m_server;
    std::unique_ptr<CountingNetwork> m_network;
    ManualClock m_clock { QDateTime(QDate(2026, 5, 6), QTime(14, 0)) };

    std::unique_ptr<QelAppConfig> makeConfig(const QString &version = u"1.0"_s, std::chrono::milliseconds timeout = 10s,
        std::chrono::milliseconds interval = 30min)
    {
        QelAppConfig::Options options { m_server.base(), version, m_dir->filePath(u"data"_s) };
        options.requestTimeout = timeout;
        options.checkInterval = interval;
        return std::make_unique<QelAppConfig>(m_clock, *m_network, *m_defaults, options);
    }
    QString cachePath(const QString &version = u"1.0"_s) const
    {
        return m_dir->filePath(u"data/"_s + QelAppConfig::documentName(version));
    }
    void writeCache(const QByteArray &bytes)
    {
        QVERIFY(QDir().mkpath(m_dir->filePath(u"data"_s)));
        QFile file(cachePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readCache() const
    {
        QFile file(cachePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void serve(int status, const QByteArray &body, bool neverAnswer = false)
    {
        m_server.setHandler([status, body, neverAnswer](const LocalHttpServer::Request &) {
            LocalHttpServer::Response response { status, body, { { "Content-Type", "text/xml" } } };
            response.neverAnswer = neverAnswer;
            return response;
        });
    }
    bool dateStored() const
    {
        return std::holds_alternative<QDateTime>(m_defaults->object(QString::fromLatin1(QelAppConfig::lastUpdateKey)));
    }

private Q_SLOTS:
    void initTestCase() { QLoggingCategory::setFilterRules(u"kavri.AppConfig.debug=false"_s); }

    void init()
    {
        QTest::failOnWarning(QRegularExpression(u"."_s));
        m_dir = std::make_unique<QTemporaryDir>();
        m_defaults = std::make_unique<UserDefaults>(m_dir->filePath(u"defaults.plist"_s));
        // A fresh manager per test: requests an earlier test left open die with the old one.
        m_network = std::make_unique<CountingNetwork>();
        m_clock = ManualClock(QDateTime(QDate(2026, 5, 6), QTime(14, 0)));
        m_server.clearRequests();
    }

    // The built-in document is in force on a first run, and the kill switch holds until the
    // first attempt has ended, whatever that document says.
    void firstRunUsesBuiltInDefault()
    {
        serve(404, {});
        auto config = makeConfig();
        ReadinessProbe probe;
        config->setDelegate(&probe);
        QSignalSpy ready(config.get(), &QelAppConfig::ready);
        QTest::ignoreMessage(
            QtCriticalMsg, QRegularExpression(u"Failed loading configuration from .* \\(HTTP 404\\)"_s));
        config->setup();
        QCOMPARE(config->version(), u"builtin"_s);
        QVERIFY(config->killSwitch());
        QVERIFY(config->userOptOut());
        QVERIFY(ready.wait());
        QVERIFY(!config->killSwitch());
        QVERIFY(!config->userOptOut());
        QCOMPARE(probe.calls, 1);
        QVERIFY(!probe.killSwitchSeen);
        QVERIFY(!QFile::exists(cachePath()));
        QVERIFY(!dateStored());
        config->setDelegate(nullptr);
    }

    void newVersionIsTakenOverAndCached_data()
    {
        QTest::addColumn<bool>("binary");
        QTest::newRow("XML") << false;
        QTest::newRow("binary") << true;
    }
    void newVersionIsTakenOverAndCached()
    {
        QFETCH(bool, binary);
        writeCache(configDocument(false, false, u"old"_s));
        const QByteArray xml = configDocument(true, false, u"v2"_s);
        serve(200, binary ? toBinary(xml) : xml);
        auto config = makeConfig();
        QSignalSpy ready(config.get(), &QelAppConfig::ready);
        config->setup();
        QCOMPARE(config->version(), u"old"_s);
        QVERIFY(ready.wait());
        QCOMPARE(m_server.requests().first().path, "/kavri/configurations/app-config-1.0.plist");
        QVERIFY(config->killSwitch());
        QCOMPARE(config->version(), u"v2"_s);
        QVERIFY(config->isUpdated());
        QCOMPARE(kavri::PropertyList::readDictionary(readCache()), config->configDict());
        QVERIFY(dateStored());

        // The next launch starts from the cache.
        auto relaunched = makeConfig();
        serve(0, {}, true);
        relaunched->setup();
        QCOMPARE(relaunched->version(), u"v2"_s);
    }

    void sameVersionIsNotRewritten()
    {
        const QByteArray cached = configDocument(false, false, u"same"_s) + "\n<!-- written by hand -->\n";
        writeCache(cached);
        serve(200, configDocument(false, true, u"same"_s));
        auto config = makeConfig();
        QSignalSpy ready(config.get(), &QelAppConfig::ready);
        config->setup();
        QVERIFY(ready.wait());
        QVERIFY(config->userOptOut()); // in memory
        QCOMPARE(readCache(), cached);
    }

    void failuresKeepConfiguration_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("neverAnswer");
        QTest::addColumn<QString>("logLine");
        QTest::addColumn<bool>("dateStored");
        const QByteArray plist = configDocument(true, true, u"new"_s);
        QTest::newRow("404") << 404 << plist << false << u"\\(HTTP 404\\)"_s << false;
        QTest::newRow("500") << 500 << plist << false << u"\\(HTTP 500\\)"_s << false;
        QTest::newRow("timeout") << 200 << plist << true << u"\\(HTTP 0\\)"_s << false;
        QTest::newRow("empty body") << 200 << QByteArray() << false << u"contained no data"_s << false;
        QTest::newRow("not a plist") << 200 << QByteArray("<html>Moved</html>") << false
                                     << u"Failed to parse configuration: "_s << true;
        QTest::newRow("not a dictionary")
            << 200 << QByteArray("<?xml version=\"1.0\"?><plist><array><true/></array></plist>") << false
            << u"Failed to parse configuration: "_s << true;
        QByteArray huge = plist;
        huge.insert(huge.indexOf("</dict>"), "<key>x</key><string>" + QByteArray(5 * 1024 * 1024, 'x') + "</string>");
        QTest::newRow("5 MB") << 200 << huge << false << u"larger than 1048576 bytes"_s << false;
    }
    void failuresKeepConfiguration()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, neverAnswer);
        QFETCH(QString, logLine);
        QFETCH(bool, dateStored);
        const QByteArray cached = configDocument(false, false, u"cached"_s);
        writeCache(cached);
        serve(status, body, neverAnswer);
        auto config = makeConfig(u"1.0"_s, 300ms);
        QSignalSpy ready(config.get(), &QelAppConfig::ready);
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(logLine));
        config->setup();
        QVERIFY(ready.wait());
        QCOMPARE(ready.count(), 1);
        QVERIFY(!config->killSwitch());
        QCOMPARE(config->version(), u"cached"_s);
        QCOMPARE(readCache(), cached);
        QCOMPARE(this->dateStored(), dateStored);
    }

    // A day is a calendar day from the last successful download; a date ahead of the clock is
    // not trusted.
    void downloadIsDueOnceADay_data()
    {
        QTest::addColumn<int>("hoursAgo");
        QTest::addColumn<int>("downloads");
        QTest::newRow("23 hours") << 23 << 0;
        QTest::newRow("25 hours") << 25 << 1;
        QTest::newRow("never") << -1 << 1;
        QTest::newRow("a month ahead") << -24 * 30 << 1;
    }
    void downloadIsDueOnceADay()
    {
        QFETCH(int, hoursAgo);
        QFETCH(int, downloads);
        if (hoursAgo != -1)
            m_defaults->set(QString::fromLatin1(QelAppConfig::lastUpdateKey), m_clock.now().addSecs(-3600 * hoursAgo));
        serve(0, {}, true);
        auto config = makeConfig();
        config->update();
        QCOMPARE(m_network->started, downloads);
    }

    // The launch download and the periodic check's first run overlap; only one goes out, and
    // the timer downloads again once the clock has passed a day.
    void periodicCheckDownloadsOnceADay()
    {
        serve(200, configDocument(false, false, u"v"_s));
        auto config = makeConfig(u"1.0"_s, 10s, 20ms);
        QSignalSpy ready(config.get(), &QelAppConfig::ready);
        config->setup();
        QVERIFY(ready.wait());
        QTRY_VERIFY(config->updateTimer());
        QSignalSpy ticks(config->updateTimer(), &QTimer::timeout);
        QTRY_VERIFY(ticks.count() >= 3);
        QCOMPARE(m_network->started, 1);
        m_clock.advance(25 * 3600);
        QTRY_COMPARE(m_network->started, 2);
    }

    void versionNameIsSafeInAddressAndFile_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QString>("file");
        QTest::newRow("space") << u"1.2 beta"_s << QByteArray("/kavri/configurations/app-config-1.2-beta.plist")
                               << u"app-config-1.2-beta.plist"_s;
        QTest::newRow("URL syntax") << u"2.0#1?x"_s << QByteArray("/kavri/configurations/app-config-2.0%231%3Fx.plist")
                                    << u"app-config-2.0#1?x.plist"_s;
        QTest::newRow("separator") << u"../3"_s << QByteArray("/kavri/configurations/app-config-..-3.plist")
                                   << u"app-config-..-3.plist"_s;
    }
    void versionNameIsSafeInAddressAndFile()
    {
        QFETCH(QString, version);
        QFETCH(QByteArray, path);
        QFETCH(QString, file);
        serve(200, configDocument(false, false, u"v"_s));
        auto config = makeConfig(version);
        QSignalSpy ready(config.get(), &QelAppConfig::ready);
        config->setup();
        QVERIFY(ready.wait());
        // A request of the test before may still arrive late; only this document's address counts.
        QStringList paths;
        for (const LocalHttpServer::Request &request : m_server.requests())
            paths.append(QString::fromLatin1(request.path));
        QVERIFY2(paths.contains(QString::fromLatin1(path)), qPrintable(paths.join(u", "_s)));
        QVERIFY(QFile::exists(m_dir->filePath(u"data/"_s + file)));
    }
};

QTEST_GUILESS_MAIN(TestAppConfig)
#include "tst_appconfig.moc"
