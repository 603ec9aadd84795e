// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Usage statistics end to end: the remote configuration and the statistics endpoint are a real
// HTTP server on loopback; what the server receives is what the tests judge.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "platform/UserDefaults.h"
#include "services/QelAppConfig.h"
#include "services/Tracker.h"
#include "services/TrackingClient.h"
#include "support/LocalHttpServer.h"
#include "support/ServiceFakes.h"

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using kavri::QelAppConfig;
using kavri::Tracker;
using kavri::TrackingClient;
using kavri::UserDefaults;

namespace {

constexpr QByteArrayView statisticsPath = "/analytics/matomo.php";

QList<QUrlQuery> eventsOf(const LocalHttpServer::Request &post)
{
    QList<QUrlQuery> events;
    const QJsonArray requests = QJsonDocument::fromJson(post.body).object().value(u"requests"_s).toArray();
    for (const QJsonValue &request : requests) {
        const QString text = request.toString();
        events.append(QUrlQuery(text.startsWith(u'?') ? text.mid(1) : u"<missing ?>"_s));
    }
    return events;
}

QString param(const QUrlQuery &event, const QString &name)
{
    return event.queryItemValue(name, QUrl::FullyDecoded);
}

} // namespace

class TestTracker : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<UserDefaults> m_defaults;
    LocalHttpServer m_server;
    QNetworkAccessManager m_network;
    ManualClock m_clock { QDateTime(QDate(2026, 5, 6), QTime(15, 30)) };
    QByteArray m_config;
    int m_statisticsStatus = 200;

    std::unique_ptr<QelAppConfig> readyConfig()
    {
        auto config = makeConfig();
        QSignalSpy ready(config.get(), &QelAppConfig::ready);
        config->setup();
        [&] { QVERIFY(ready.wait()); }();
        return config;
    }
    std::unique_ptr<QelAppConfig> makeConfig()
    {
        return std::make_unique<QelAppConfig>(
            m_clock, m_network, *m_defaults, QelAppConfig::Options { m_server.base(), u"1.0"_s, m_dir->path() });
    }
    std::unique_ptr<TrackingClient> makeClient(std::chrono::milliseconds dispatchInterval = 1h)
    {
        TrackingClient::Options options;
        options.baseUrl = m_server.url(QString::fromLatin1(statisticsPath));
        options.userAgent = TrackingClient::defaultUserAgent(u"1.0"_s);
        options.context.siteId = u"3"_s;
        options.context.contentBase = u"http://io.github.kavri.Kavri"_s;
        options.context.language = u"en-GB"_s;
        options.dispatchInterval = dispatchInterval;
        return std::make_unique<TrackingClient>(m_network, *m_defaults, m_clock, options);
    }
    std::unique_ptr<Tracker> makeTracker(const QelAppConfig &config, TrackingClient &client)
    {
        return std::make_unique<Tracker>(
            config, client, *m_defaults, m_clock, Tracker::Options { u"1.0"_s, u"Test Machine"_s, 1h });
    }
    QList<LocalHttpServer::Request> posts() const
    {
        QList<LocalHttpServer::Request> result;
        for (const auto &request : m_server.requests()) {
            if (request.path == statisticsPath)
                result.append(request);
        }
        return result;
    }
    // One parameter of every event the server received, in order.
    QStringList sentValues(const QString &name = u"e_a"_s) const
    {
        QStringList values;
        for (const auto &post : posts()) {
            for (const QUrlQuery &event : eventsOf(post))
                values.append(param(event, name));
        }
        return values;
    }
    // Dispatches and waits until the client is done; false when the post failed.
    static bool dispatchAll(TrackingClient &client)
    {
        QSignalSpy finished(&client, &TrackingClient::dispatchFinished);
        client.dispatch();
        if (!finished.wait())
            return false;
        return finished.first().first().toBool();
    }

private Q_SLOTS:
    void initTestCase() { QLoggingCategory::setFilterRules(u"kavri.debug=false\nkavri.AppConfig.debug=false"_s); }

    void init()
    {
        QTest::failOnWarning(QRegularExpression(u"."_s));
        m_dir = std::make_unique<QTemporaryDir>();
        m_defaults = std::make_unique<UserDefaults>(m_dir->filePath(u"defaults.plist"_s));
        m_clock = ManualClock(QDateTime(QDate(2026, 5, 6), QTime(15, 30)));
        m_server.clearRequests();
        m_config = configDocument(false, false, u"v"_s);
        m_statisticsStatus = 200;
        m_server.setHandler([this](const LocalHttpServer::Request &request) {
            if (request.path == statisticsPath)
                return LocalHttpServer::Response { m_statisticsStatus, "{\"status\":\"success\"}", {} };
            return LocalHttpServer::Response { 200, m_config, { { "Content-Type", "text/xml" } } };
        });
    }

    void nothingPassesBeforeTheConfigurationIsReady()
    {
        auto config = makeConfig(); // never set up: its first attempt never ends
        auto client = makeClient();
        auto tracker = makeTracker(*config, *client);
        tracker->track(true);
        tracker->recordEvent(u"User"_s, u"User - Capture"_s, u"OCR"_s);
        QCOMPARE(client->queuedEventCount(), 0);
        // The refused check-in did not use up the day's ping.
        QVERIFY(!std::holds_alternative<QDateTime>(m_defaults->object(QString::fromLatin1(Tracker::nextPingDateKey))));
    }

    void gate_data()
    {
        QTest::addColumn<bool>("userOptOut");
        QTest::addColumn<bool>("remoteOptOut");
        QTest::addColumn<bool>("killSwitch");
        QTest::addColumn<QStringList>("sent");
        const QStringList all { u"App - Ping"_s, u"App - Launched"_s, u"User - Capture"_s };
        QTest::newRow("allowed") << false << false << false << all;
        QTest::newRow("user opt-out") << true << false << false << QStringList { u"App - Ping"_s };
        QTest::newRow("remote opt-out") << false << true << false << QStringList { u"App - Ping"_s };
        QTest::newRow("kill switch") << false << false << true << QStringList();
    }
    void gate()
    {
        QFETCH(bool, userOptOut);
        QFETCH(bool, remoteOptOut);
        QFETCH(bool, killSwitch);
        QFETCH(QStringList, sent);
        m_config = configDocument(killSwitch, remoteOptOut, u"v"_s);
        auto config = readyConfig();
        auto client = makeClient();
        auto tracker = makeTracker(*config, *client); // first check-in attempt here
        tracker->setOptOut(userOptOut);
        tracker->track(true);
        tracker->recordEvent(u"User"_s, u"User - Capture"_s, u"OCR"_s);
        if (!sent.isEmpty())
            QVERIFY(dispatchAll(*client));
        QCOMPARE(sentValues(), sent);
    }

    // One event on the wire, in the tracking API's terms, and the visit bookkeeping across two
    // client lifetimes.
    void eventParametersAndVisits()
    {
        auto config = readyConfig();
        QString visitor;
        for (int run = 1; run <= 2; ++run) {
            m_server.clearRequests();
            auto client = makeClient();
            auto tracker = makeTracker(*config, *client);
            tracker->recordEvent(u"User"_s, u"User - Capture"_s, u"QR"_s);
            tracker->recordEvent(u"User"_s, u"User - Capture"_s, u"a&b=c"_s);
            QVERIFY(dispatchAll(*client));
            const auto post = posts().last();
            QCOMPARE(post.method, "POST");
            QCOMPARE(post.headers.value("content-type"), "application/json; charset=utf-8");
            const QByteArray agent = post.headers.value("user-agent");
            QVERIFY2(agent.contains("Kavri/1.0") && agent.contains("Linux"), agent.constData());
            const QList<QUrlQuery> events = eventsOf(post);
            QCOMPARE(events.size(), run == 1 ? 3 : 2); // the first run also checks in
            const QUrlQuery event = events.at(events.size() - 2);
            QCOMPARE(param(event, u"idsite"_s), u"3"_s);
            QCOMPARE(param(event, u"rec"_s), u"1"_s);
            QCOMPARE(param(event, u"e_c"_s), u"User"_s);
            QCOMPARE(param(event, u"e_a"_s), u"User - Capture"_s);
            QCOMPARE(param(event, u"e_n"_s), u"QR"_s);
            QCOMPARE(param(events.last(), u"e_n"_s), u"a&b=c"_s);
            QCOMPARE(param(event, u"dimension1"_s), u"1.0 direct"_s);
            QCOMPARE(param(event, u"dimension2"_s), u"Test Machine"_s);
            QCOMPARE(param(event, u"cdt"_s).toLongLong(), m_clock.now().toSecsSinceEpoch());
            QCOMPARE(param(event, u"_idvc"_s), QString::number(run));
            QCOMPARE(param(events.first(), u"new_visit"_s), u"1"_s);
            QVERIFY(!event.hasQueryItem(u"new_visit"_s) || run == 2);
            QVERIFY(!events.last().hasQueryItem(u"new_visit"_s));
            const QString id = param(event, u"_id"_s);
            QCOMPARE(id.size(), 16);
            QVERIFY(visitor.isEmpty() || visitor == id);
            visitor = id;
            m_clock.advance(3600);
        }
    }

    void batchesOfTwenty()
    {
        auto config = readyConfig();
        auto client = makeClient();
        auto tracker = makeTracker(*config, *client);
        m_server.clearRequests();
        client->dispatch(); // the check-in goes first, alone
        QTRY_VERIFY(!client->isDispatching());
        m_server.clearRequests();
        for (int i = 0; i < 45; ++i)
            tracker->recordEvent(u"User"_s, u"User - Capture"_s, QString::number(i));
        QVERIFY(dispatchAll(*client));
        QList<int> sizes;
        for (const auto &post : posts())
            sizes.append(int(eventsOf(post).size()));
        const QStringList names = sentValues(u"e_n"_s);
        QCOMPARE(sizes, (QList<int> { 20, 20, 5 }));
        for (int i = 0; i < 45; ++i)
            QCOMPARE(names.value(i), QString::number(i));
        QCOMPARE(client->queuedEventCount(), 0);
    }

    void failedPostKeepsEventsForTheNextDispatch()
    {
        auto config = readyConfig();
        auto client = makeClient(50ms);
        auto tracker = makeTracker(*config, *client);
        m_statisticsStatus = 500;
        for (int i = 0; i < 3; ++i)
            tracker->recordEvent(u"User"_s, u"User - Capture"_s, QString::number(i));
        QTest::ignoreMessage(QtWarningMsg, "Failed dispatching events with error HTTP 500");
        QVERIFY(!dispatchAll(*client));
        QCOMPARE(client->queuedEventCount(), 4);
        m_statisticsStatus = 200;
        m_server.clearRequests();
        QTRY_COMPARE(client->queuedEventCount(), 0); // the timer was re-armed
        QCOMPARE(sentValues(),
            (QStringList { u"App - Ping"_s, u"User - Capture"_s, u"User - Capture"_s, u"User - Capture"_s }));
    }

    void checkInOncePerDay()
    {
        auto config = readyConfig();
        auto client = makeClient();
        auto tracker = makeTracker(*config, *client);
        QCOMPARE(client->queuedEventCount(), 1);
        const auto nextPing
            = [this] { return std::get<QDateTime>(m_defaults->object(QString::fromLatin1(Tracker::nextPingDateKey))); };
        const QDateTime midnight = m_clock.now().date().addDays(1).startOfDay();
        QVERIFY(nextPing() >= midnight && nextPing() < midnight.addSecs(3600));

        tracker->track(false);
        m_clock.advance(8 * 3600 - 1); // 23:29:59, still the same day
        tracker->track(false);
        QCOMPARE(client->queuedEventCount(), 1);

        m_clock.advance(3 * 3600); // past the stored moment
        tracker->track(false);
        QCOMPARE(client->queuedEventCount(), 2);
        const QDateTime nextMidnight = midnight.addDays(1);
        QVERIFY(nextPing() >= nextMidnight && nextPing() < nextMidnight.addSecs(3600));

        // A date far ahead was stored under a wrong clock; it must not silence the check-in.
        m_defaults->set(QString::fromLatin1(Tracker::nextPingDateKey), m_clock.now().addYears(5));
        tracker->track(false);
        QCOMPARE(client->queuedEventCount(), 3);
    }

    void fullQueueDropsTheOldest()
    {
        auto config = readyConfig();
        auto client = makeClient();
        auto tracker = makeTracker(*config, *client); // its check-in is the oldest event
        for (int i = 0; i < 1005; ++i)
            tracker->recordEvent(u"User"_s, u"User - Capture"_s, QString::number(i));
        QCOMPARE(client->queuedEventCount(), 1000);
        QVERIFY(dispatchAll(*client));
        const QStringList names = sentValues(u"e_n"_s);
        QCOMPARE(names.size(), 1000);
        QCOMPARE(names.first(), u"5"_s);
        QCOMPARE(names.last(), u"1004"_s);
    }
};

QTEST_GUILESS_MAIN(TestTracker)
#include "tst_tracker.moc"
