// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Which substrings of free text become links, and which never may.
#include <QRegularExpression>
#include <QTest>

#include "content/ContentKinds.h"
#include "content/ContentParser.h"

using namespace Qt::StringLiterals;

class TestLinkDetector : public QObject
{
    Q_OBJECT

private:
    static void addColumns()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("links");
    }
    static void check()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, links);
        QStringList found;
        for (const QUrl &url : kavri::ContentParser::detectURLs(text))
            found.append(kavri::absoluteString(url));
        QCOMPARE(found, links);
    }

private Q_SLOTS:
    // A warning means something went unnoticed (a missing suffix list, a bad URL).
    void init() { QTest::failOnWarning(QRegularExpression(u".*"_s)); }
    void withScheme_data();
    void withScheme() { check(); }
    void withoutScheme_data();
    void withoutScheme() { check(); }
    void emailAddresses_data();
    void emailAddresses() { check(); }
    void punctuationAround_data();
    void punctuationAround() { check(); }
    void invisibleAndLookalike_data();
    void invisibleAndLookalike() { check(); }
    void neverOtherSchemes_data();
    void neverOtherSchemes() { check(); }
};

void TestLinkDetector::withScheme_data()
{
    addColumns();
    QTest::newRow("http, https and ftp in order")
        << u"ftp://files.example.net/pub then https://example.com/a?b=1#c and http://x.org"_s
        << QStringList { u"ftp://files.example.net/pub"_s, u"https://example.com/a?b=1#c"_s, u"http://x.org"_s };
    QTest::newRow("scheme and host case folded")
        << u"HTTPS://Example.COM/Path"_s << QStringList { u"https://example.com/Path"_s };
    QTest::newRow("hosts that need no real domain")
        << u"http://localhost:8080/x http://127.0.0.1/ http://[::1]:9000/y http://intranet"_s
        << QStringList { u"http://localhost:8080/x"_s, u"http://127.0.0.1/"_s, u"http://[::1]:9000/y"_s,
               u"http://intranet"_s };
    QTest::newRow("user info and port") << u"ftp://anon:pw@files.example.net:2121/"_s
                                        << QStringList { u"ftp://anon:pw@files.example.net:2121/"_s };
    QTest::newRow("non-ASCII path is percent-encoded")
        << u"https://example.com/caf\u00E9 x"_s << QStringList { u"https://example.com/caf%C3%A9"_s };
    QTest::newRow("no host") << u"http:// https://?x http:///path"_s << QStringList {};
    QTest::newRow("scheme glued to a word") << u"xhttp://example.com"_s << QStringList {};
    QTest::newRow("a www address inside a URL is not found twice")
        << u"https://www.example.com/www.example.org"_s << QStringList { u"https://www.example.com/www.example.org"_s };
}

void TestLinkDetector::withoutScheme_data()
{
    addColumns();
    QTest::newRow("www addresses get http")
        << u"Visit www.example.org/news or WWW.Example.co.uk"_s
        << QStringList { u"http://www.example.org/news"_s, u"http://www.example.co.uk"_s };
    QTest::newRow("bare domains with real top-level domains")
        << u"example.com, shop.example.co.uk/cart?id=3 and sub.example.io:8080/x"_s
        << QStringList { u"http://example.com"_s, u"http://shop.example.co.uk/cart?id=3"_s,
               u"http://sub.example.io:8080/x"_s };
    QTest::newRow("internationalised domain") << u"b\u00FCcher.de"_s << QStringList { u"http://xn--bcher-kva.de"_s };
    QTest::newRow("file names, abbreviations and numbers are not domains")
        << u"notes.txt e.g. i.e. 3.14 v1.2.3 example.invalidtld main.cpp"_s << QStringList {};
    QTest::newRow("a public suffix alone is not a domain") << u"co.uk and com"_s << QStringList {};
    QTest::newRow("part of a path, an identifier or a word")
        << u"/srv/example.com foo_example.com mail@ docs-example.com_x"_s << QStringList {};
    QTest::newRow("hyphens at label edges") << u"-example.com example-.com"_s << QStringList {};
    QTest::newRow("port needs digits, then it is sentence punctuation")
        << u"example.com: a site"_s << QStringList { u"http://example.com"_s };
}

void TestLinkDetector::emailAddresses_data()
{
    addColumns();
    QTest::newRow("addresses become mailto links")
        << u"Write to john.doe+tag@example.co.uk or E-mail:info@example.org."_s
        << QStringList { u"mailto:john.doe+tag@example.co.uk"_s, u"mailto:info@example.org"_s };
    QTest::newRow("local part that looks like a domain")
        << u"example.com@example.org"_s << QStringList { u"mailto:example.com@example.org"_s };
    QTest::newRow("no real domain") << u"john@localhost a@b @example.com x@example"_s << QStringList {};
    QTest::newRow("two at signs") << u"a@b@example.com"_s << QStringList {};
    QTest::newRow("leading dots of the local part are not taken")
        << u"...x@example.com"_s << QStringList { u"mailto:x@example.com"_s };
    QTest::newRow("local part too long") << QString(u"a"_s.repeated(65) + u"@example.com"_s) << QStringList {};
}

void TestLinkDetector::punctuationAround_data()
{
    addColumns();
    QTest::newRow("sentence punctuation after links")
        << u"https://a.example.com. https://b.example.com, https://c.example.com; https://d.example.com! "
           u"https://e.example.com? https://f.example.com: 'https://g.example.com' \"https://h.example.com\""_s
        << QStringList { u"https://a.example.com"_s, u"https://b.example.com"_s, u"https://c.example.com"_s,
               u"https://d.example.com"_s, u"https://e.example.com"_s, u"https://f.example.com"_s,
               u"https://g.example.com"_s, u"https://h.example.com"_s };
    QTest::newRow("balanced parentheses stay, unbalanced go")
        << u"(see https://en.example.org/wiki/Foo_(bar)) and (example.com/x)."_s
        << QStringList { u"https://en.example.org/wiki/Foo_(bar)"_s, u"http://example.com/x"_s };
    QTest::newRow("brackets and angle brackets")
        << u"[https://example.com/a] <https://example.org/b>"_s
        << QStringList { u"https://example.com/a"_s, u"https://example.org/b"_s };
    QTest::newRow("punctuation inside a link stays")
        << u"https://example.com/a.b,c;d!e?f=g:h"_s << QStringList { u"https://example.com/a.b,c;d!e?f=g:h"_s };
    QTest::newRow("typographic quotes and full stops")
        << u"\u201Chttps://example.com/x\u201D \u3002https://example.org\u3002"_s
        << QStringList { u"https://example.com/x"_s, u"https://example.org"_s };
    QTest::newRow("line breaks and tabs end links")
        << u"https://example.com/a\r\nwww.example.org\tx"_s
        << QStringList { u"https://example.com/a"_s, u"http://www.example.org"_s };
    QTest::newRow("full-width and CJK punctuation and brackets end links")
        << u"https://example.com\uFF0C\u8C22\u8C22 \uFF08https://example.org/b\uFF09 \u300Chttps://example.net/a\u300D "
           u"\u3010www.example.com\u3011\u3002"_s
        << QStringList { u"https://example.com"_s, u"https://example.org/b"_s, u"https://example.net/a"_s,
               u"http://www.example.com"_s };
    QTest::newRow("a comma, semicolon or pipe right after the host ends the link")
        << u"https://example.com,and more https://example.org;x https://example.net|y"_s
        << QStringList { u"https://example.com"_s, u"https://example.org"_s, u"https://example.net"_s };
}

void TestLinkDetector::invisibleAndLookalike_data()
{
    addColumns();
    // An invisible character never moves a link to another host.
    QTest::newRow("soft hyphen inside a host")
        << u"exam\u00ADple.com https://exam\u00ADple.org www.exam\u200Bple.net"_s << QStringList {};
    QTest::newRow("invisible characters around a name end the link")
        << u"\uFEFFexample.com\u200B and https://example.org\u200D/x"_s
        << QStringList { u"http://example.com"_s, u"https://example.org"_s };
    QTest::newRow("file names are not links")
        << u"setup.py README.md main.rs photo.zip run.sh Build.PL lib.so"_s << QStringList {};
    QTest::newRow("with www., a scheme, a port or a path they are")
        << u"www.example.py https://example.md example.rs:8080 example.zip/files"_s
        << QStringList { u"http://www.example.py"_s, u"https://example.md"_s, u"http://example.rs:8080"_s,
               u"http://example.zip/files"_s };
    QTest::newRow("defanged addresses are not links")
        << u"hxxp://example.com hxxps://example.org/a example[.]net evil[.]example[.]com"_s << QStringList {};
}

void TestLinkDetector::neverOtherSchemes_data()
{
    addColumns();
    QTest::newRow("script and local schemes")
        << u"javascript:alert(1) file:///etc/passwd data:text/html,<b>x</b> vbscript:msgbox myapp://open/x"_s
        << QStringList {};
    QTest::newRow("a domain hidden behind another scheme")
        << u"javascript://example.com/%0Aalert(1) file://host.example.com/etc/passwd"_s << QStringList {};
    QTest::newRow("scheme-like prefix before a real link")
        << u"view-source:https://example.com"_s << QStringList { u"https://example.com"_s };
    QTest::newRow("broken text: lone surrogates and replacement characters")
        << QString(u"https://example.com/"_s + QChar(0xD800) + u"x \uFFFDexample.org"_s)
        << QStringList { u"https://example.com/"_s, u"http://example.org"_s };
}

QTEST_GUILESS_MAIN(TestLinkDetector)
#include "tst_linkdetector.moc"
