// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTest>
#include <QUrlQuery>

#include "app/help/GearMenuHelper.h"
#include "platform/AppInfo.h"

using namespace Qt::StringLiterals;
using namespace kavri;

class TestGearMenuHelper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theFeedbackMailIsFilledIn()
    {
        const std::optional<QUrl> url = GearMenuHelper::feedbackMailURL(
            u"1.2"_s, u"45"_s, u"Debian GNU/Linux 12 (bookworm)"_s, u"support@example.org"_s);
        QVERIFY(url);
        QCOMPARE(url->scheme(), u"mailto"_s);
        QCOMPARE(url->path(), u"support@example.org"_s);
        const QString encoded = url->toString(QUrl::FullyEncoded);
        QVERIFY2(encoded.contains(u"?subject=Kavri%201.2%20%2845%29%20Feedback&body=Kavri%20version"_s),
            qPrintable(encoded));
        QVERIFY(!encoded.contains(u' ') && !encoded.contains(u'\n'));

        const QUrlQuery query(*url);
        QCOMPARE(query.queryItems().first().first, u"subject"_s);
        QCOMPARE(query.queryItemValue(u"body"_s, QUrl::FullyDecoded),
            u"Kavri version: 1.2 (45)\nOS version: Debian GNU/Linux 12 (bookworm)\n\nPlease describe your problem as "
            u"detailed as possible below. You may also want to attach screenshots.\n\n"_s);
    }

    void missingBuildFactsReadUnknown()
    {
        const std::optional<QUrl> url
            = GearMenuHelper::feedbackMailURL(u"1.2"_s, u"Unknown"_s, u"Linux"_s, u"support@example.org"_s);
        QCOMPARE(QUrlQuery(*url).queryItemValue(u"subject"_s, QUrl::FullyDecoded), u"Kavri 1.2 (Unknown) Feedback"_s);
        QVERIFY(!GearMenuHelper::feedbackMailURL(u"1"_s, u"2"_s, u"Linux"_s, QString()));
        // The running build always has a version to report.
        QVERIFY(!AppInfo::appVersion().isEmpty() && !AppInfo::buildNumber().isEmpty());
        QVERIFY(GearMenuHelper::shared().feedbackMailURL());
    }

    void webAddressesFollowTheServerSetting()
    {
        qputenv("KAVRI_SERVER_BASE", "http://127.0.0.1:8080/");
        QCOMPARE(AppInfo::websiteURL(), QUrl(u"http://127.0.0.1:8080/kavri/"_s));
        QCOMPARE(AppInfo::faqURL().fragment(), u"faq"_s);
        QCOMPARE(AppInfo::statisticsURL().path(), u"/analytics/matomo.php"_s);
        qunsetenv("KAVRI_SERVER_BASE");
        QCOMPARE(AppInfo::websiteURL().scheme(), u"https"_s);
    }
};

QTEST_GUILESS_MAIN(TestGearMenuHelper)
#include "tst_gearmenuhelper.moc"
