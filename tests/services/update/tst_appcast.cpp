// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Reading the update feed without a network: which feed is read, which version is newer, what an
// item holds, and feeds that must fail cleanly instead of crashing, hanging or half-reading.
#include <QTest>

#include "services/update/AppcastReader.h"
#include "services/update/FeedAddress.h"
#include "services/update/VersionComparator.h"

using namespace Qt::StringLiterals;
using namespace kavri;

namespace {

QByteArray feed(const QByteArray &items, const QByteArray &prefix = "sparkle")
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rss version=\"2.0\" xmlns:" + prefix
        + "=\"http://www.andymatuschak.org/xml-namespaces/sparkle\"><channel><title>Kavri</title>" + items
        + "</channel></rss>";
}

} // namespace

class TestAppcast : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void betaFeedLiesBesideTheConfiguredOne_data()
    {
        QTest::addColumn<QString>("configured");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ends in appcast.xml")
            << u"https://kavri.app/kavri/appcast.xml"_s << u"https://kavri.app/kavri/beta/appcast.xml"_s;
        QTest::newRow("no appcast.xml") << u"https://kavri.app/kavri/feed.rss"_s
                                        << u"https://kavri.app/kavri/feed.rss"_s;
        QTest::newRow("only the first of two")
            << u"https://kavri.app/appcast.xml/appcast.xml"_s << u"https://kavri.app/beta/appcast.xml/appcast.xml"_s;
        QTest::newRow("case matters") << u"https://kavri.app/Appcast.XML"_s << u"https://kavri.app/Appcast.XML"_s;
    }
    void betaFeedLiesBesideTheConfiguredOne()
    {
        QFETCH(QString, configured);
        QFETCH(QString, expected);
        QCOMPARE(betaFeedAddress(configured), expected);
    }

    void versionsOrderAsReleasesDo_data()
    {
        QTest::addColumn<QString>("older");
        QTest::addColumn<QString>("newer");
        QTest::newRow("numbers, not text") << u"1.9"_s << u"1.10"_s;
        QTest::newRow("release after its beta") << u"1.2 beta 3"_s << u"1.2"_s;
        QTest::newRow("release after a glued beta") << u"1.2b3"_s << u"1.2"_s;
        QTest::newRow("beta numbers") << u"1.2 beta 3"_s << u"1.2 beta 10"_s;
        QTest::newRow("alpha before beta") << u"1.2 alpha 9"_s << u"1.2 Beta 1"_s;
        QTest::newRow("beta before rc, dashed") << u"2.0-beta2"_s << u"2.0-rc1"_s;
        QTest::newRow("extra component") << u"1.0"_s << u"1.0.1"_s;
        QTest::newRow("patch over pre-release") << u"1.2b5"_s << u"1.2.1"_s;
        QTest::newRow("beyond 64 bits") << u"1.99999999999999999999"_s << u"1.100000000000000000000"_s;
        QTest::newRow("empty is oldest") << QString() << u"0.1"_s;
    }
    void versionsOrderAsReleasesDo()
    {
        QFETCH(QString, older);
        QFETCH(QString, newer);
        QVERIFY(compareVersions(older, newer) < 0);
        QVERIFY(compareVersions(newer, older) > 0);
        QCOMPARE(compareVersions(newer, newer), 0);
    }

    void equalSpellingsCompareEqual()
    {
        QCOMPARE(compareVersions(u"1.0 Beta", u"1.0beta"), 0);
        QCOMPARE(compareVersions(u"01.002", u"1.2"), 0);
    }

    void itemsKeepWhatTheFeedSays()
    {
        const QByteArray xml
            = feed("<item><title>Kavri 2.0</title>"
                   "<link>https://kavri.app/kavri/</link>"
                   "<s:releaseNotesLink>notes/2.0.html</s:releaseNotesLink>"
                   "<s:minimumSystemVersion>13.0</s:minimumSystemVersion>"
                   "<enclosure url=\"https://kavri.app/kavri/Kavri-2.0.tar.gz\" s:version=\"200\" "
                   "s:shortVersionString=\"2.0\" length=\"10\" type=\"application/octet-stream\"/>"
                   "<other:version xmlns:other=\"urn:x\">999</other:version>"
                   "</item>"
                   "<item><title>Kavri 2.1 beta</title><description><![CDATA[<h2>New</h2><p>Faster</p>]]></description>"
                   "<s:version>210</s:version><s:shortVersionString>2.1 beta 1</s:shortVersionString>"
                   "<enclosure url=\"/kavri/Kavri-2.1b1.tar.gz\" s:version=\"1\"/></item>"
                   "<item><title>no version</title><enclosure url=\"https://kavri.app/x\"/></item>",
                "s");
        const Appcast appcast = AppcastReader::parse(xml, QUrl(u"https://kavri.app/kavri/beta/appcast.xml"_s));
        QVERIFY2(appcast.isValid(), qPrintable(appcast.error));
        QCOMPARE(appcast.items.size(), 2);

        const AppcastItem &fromEnclosure = appcast.items[0];
        QCOMPARE(fromEnclosure.version, u"200"_s); // another namespace's <version> is not ours
        QCOMPARE(fromEnclosure.displayVersionString(), u"2.0"_s);
        QCOMPARE(fromEnclosure.enclosureUrl, QUrl(u"https://kavri.app/kavri/Kavri-2.0.tar.gz"_s));
        QCOMPARE(fromEnclosure.releaseNotesLink, QUrl(u"https://kavri.app/kavri/beta/notes/2.0.html"_s));
        QCOMPARE(fromEnclosure.infoUrl, QUrl(u"https://kavri.app/kavri/"_s));

        const AppcastItem &fromItem = appcast.items[1];
        QCOMPARE(fromItem.version, u"210"_s); // the item's own element wins over the enclosure's
        QCOMPARE(fromItem.displayVersionString(), u"2.1 beta 1"_s);
        QCOMPARE(fromItem.itemDescription, u"<h2>New</h2><p>Faster</p>"_s);
        QCOMPARE(fromItem.enclosureUrl, QUrl(u"https://kavri.app/kavri/Kavri-2.1b1.tar.gz"_s));

        QCOMPARE(appcast.newestItem()->version, u"210"_s);
    }

    void brokenFeedsFailCleanly_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty") << QByteArray() << u"not well-formed"_s;
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe garbage", 12) << u"not well-formed"_s;
        QTest::newRow("HTML error page") << QByteArray("<html><body>502 Bad Gateway</body></html>") << u"not an RSS"_s;
        QTest::newRow("cut off in an item")
            << feed("<item><sparkle:version>300</sparkle:version>").left(150) << u"not well-formed"_s;
        QTest::newRow("junk after the end") << feed("") + "<rss/>" << u"not well-formed"_s;
        QTest::newRow("undeclared prefix")
            << QByteArray("<rss><channel><item><sp:version>3</sp:version></item></channel></rss>")
            << u"not well-formed"_s;
        QTest::newRow("no channel") << QByteArray("<rss version=\"2.0\"/>") << u"no channel"_s;
        QTest::newRow("too large") << feed(QByteArray(3 * 1024 * 1024, ' ')) << u"larger than"_s;
        // Ten levels of ten references each: 10^10 expansions if nothing stops them.
        QByteArray bomb = "<?xml version=\"1.0\"?><!DOCTYPE rss [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">";
        for (char name = 'b'; name <= 'k'; ++name) {
            const QByteArray reference = QByteArray("&") + char(name - 1) + ';';
            bomb += QByteArray("<!ENTITY ") + name + " \"" + reference.repeated(10) + "\">";
        }
        bomb += "]><rss><channel><title>&k;</title></channel></rss>";
        QTest::newRow("entity expansion bomb") << bomb << u"not well-formed"_s;
    }
    void brokenFeedsFailCleanly()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, error);
        const Appcast appcast = AppcastReader::parse(xml);
        QVERIFY(!appcast.isValid());
        QVERIFY2(appcast.error.contains(error), qPrintable(appcast.error));
        QVERIFY(appcast.items.isEmpty());
        QCOMPARE(appcast.newestItem(), nullptr);
    }
};

QTEST_GUILESS_MAIN(TestAppcast)
#include "tst_appcast.moc"
