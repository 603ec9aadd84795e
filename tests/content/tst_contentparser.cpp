// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Classification of decoded payloads, one table per kind. Each row gives the payload and the
// members of its JSON form that must come out; members not named are not checked.
#include <QRegularExpression>
#include <QTest>

#include "../support/JsonSubset.h"
#include "content/ContentParser.h"
#include "content/ParsedContentJson.h"

using namespace Qt::StringLiterals;
using kavri::test::jsonObject;

class TestContentParser : public QObject
{
    Q_OBJECT

private:
    static void addColumns()
    {
        QTest::addColumn<QString>("payload");
        QTest::addColumn<QString>("expected");
    }
    static void check()
    {
        QFETCH(QString, payload);
        QFETCH(QString, expected);
        const QJsonObject actual = kavri::toJson(kavri::ContentParser::parse(payload));
        KAVRI_COMPARE_JSON_SUBSET(actual, jsonObject(expected));
        QCOMPARE(actual.value(u"rawText"_s).toString(), payload);
    }

private Q_SLOTS:
    // A warning means something went unnoticed (a missing suffix list, a bad URL).
    void init() { QTest::failOnWarning(QRegularExpression(u".*"_s)); }
    void vCard_data();
    void vCard() { check(); }
    void wiFi_data();
    void wiFi() { check(); }
    void textMessage_data();
    void textMessage() { check(); }
    void email_data();
    void email() { check(); }
    void phoneAndFallbacks_data();
    void phoneAndFallbacks() { check(); }
    void vCardFieldsKeepTheirIds();
};

void TestContentParser::vCard_data()
{
    addColumns();
    QTest::newRow("full card with CRLF line ends, fields in table order")
        << u"BEGIN:VCARD\r\nVERSION:3.0\r\nNOTE:Met at the fair\\, 2024\r\nTEL;TYPE=CELL,VOICE:+1 555 0100\r\n"
           u"FN:John Doe\r\nEMAIL;TYPE=INTERNET:a@example.com\r\nEMAIL:b@example.com\r\nORG:Example Inc.\r\n"
           u"END:VCARD\r\n"_s
        << uR"j({"type":"VCardContent","displayName":"John Doe","isStructured":true,"fields":[
               {"symbol":"person.fill","value":"John Doe"},{"symbol":"building.2.fill","value":"Example Inc."},
               {"symbol":"phone.fill","value":"+1 555 0100 (Cell)"},{"symbol":"envelope.fill","value":"a@example.com (Internet)"},
               {"symbol":"envelope.fill","value":"b@example.com"},{"symbol":"note.text","value":"Met at the fair, 2024"}],
               "primaryAction":{"kind":"menu","title":"Contact…","symbol":"person.crop.circle",
               "items":[{"id":"addContact","title":"Add to Contacts"},{"id":"saveContact","title":"Save to File…"}]},
               "clipboardText":null,"clipboardMessage":"Copied to clipboard"})j"_s;
    QTest::newRow("N with the family name only")
        << u"begin:vcard\nn:Doe\nend:vcard"_s << uR"j({"type":"VCardContent","displayName":"Doe"})j"_s;
    QTest::newRow("empty N gives no name") << u"BEGIN:VCARD\nN:;;;;\nEND:VCARD"_s << uR"j({"displayName":null})j"_s;
    QTest::newRow("FN without a value falls back to N")
        << u"BEGIN:VCARD\nFN:\nN:Doe;John\nEND:VCARD"_s << uR"j({"displayName":"John Doe","fields":[]})j"_s;
    QTest::newRow("type labels: TYPE= wins, then bare words, VOICE and PREF alone give none")
        << u"BEGIN:VCARD\nTEL;HOME;VOICE:123\nTEL;VOICE;CELL:4\nTEL;VOICE:5\nTEL;TYPE=PREF:6\nTEL:7\n"
           u"TEL;type=x-other;HOME:8\nTEL;TYPE=2ND:9\nEND:VCARD"_s
        << uR"j({"fields":[{"symbol":"phone.fill","value":"123 (Home)"},{"symbol":"phone.fill","value":"4 (Cell)"},
               {"symbol":"phone.fill","value":"5"},{"symbol":"phone.fill","value":"6 (Pref)"},
               {"symbol":"phone.fill","value":"7"},{"symbol":"phone.fill","value":"8 (X-Other)"},
               {"symbol":"phone.fill","value":"9 (2Nd)"}]})j"_s;
    QTest::newRow("addresses: components 2 to 6, empty ones skipped, empty address dropped")
        << u"BEGIN:VCARD\nADR;TYPE=WORK:;;Main St 1;Springfield;;12345;USA\nADR:;;;;;;\nADR:;;Elm 2;;;;;Extra\n"
           u"END:VCARD"_s
        << uR"j({"fields":[{"symbol":"location.fill","value":"Main St 1, Springfield, 12345, USA (Work)"},
               {"symbol":"location.fill","value":"Elm 2"}]})j"_s;
    QTest::newRow("folded lines are joined, the fold's one blank dropped")
        << u"BEGIN:VCARD\r\nNOTE:first\r\n  part\r\n\tand more\nPHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQ\n SkZJRgABAQ\n"
           u"NOTES:x\nTELEX:1\nEND:VCARD"_s
        << uR"j({"fields":[{"symbol":"note.text","value":"first partand more"}]})j"_s;
    // As a phone's address book exports it (vCard 2.1).
    QTest::newRow("quoted-printable UTF-8 with soft line breaks")
        << u"BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=4D=C3=BC=6C=6C=65=72;=4A=C3=BC="
           u"72=67=65=6E;;;\r\n"
           u"FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=4A=C3=BC=72=67=65=6E=20=4D=C3=BC=6C=6C=65=72\r\n"
           u"TEL;CELL:+49 170 1234567\r\nEMAIL;HOME:j@example.de\r\n"
           u"ADR;HOME;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:;;=48=61=75=70=74=73=74=72=2E=20=31;=4B=C3=B6=6C=6E;;=35="
           u"30=36=36=37;\r\n"
           u"NOTE;ENCODING=QUOTED-PRINTABLE:Zeile eins=0A=\r\nZeile zwei, J=\r\n=C3=BCrgen\r\nEND:VCARD\r\n"_s
        << uR"j({"displayName":"Jürgen Müller","fields":[{"symbol":"person.fill","value":"Jürgen Müller"},
               {"symbol":"phone.fill","value":"+49 170 1234567 (Cell)"},{"symbol":"envelope.fill","value":"j@example.de (Home)"},
               {"symbol":"location.fill","value":"Hauptstr. 1, Köln, 50667 (Home)"},
               {"symbol":"note.text","value":"Zeile eins\nZeile zwei, Jürgen"}]})j"_s;
    QTest::newRow("quoted-printable in the character set named: Latin-1, Windows-1252, unknown")
        << u"BEGIN:VCARD\nFN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:J=FCrgen\n"
           u"ORG;CHARSET=windows-1252;ENCODING=QUOTED-PRINTABLE:Caf=E9 "
           u"=80\nTITLE;CHARSET=x-nonsense;QUOTED-PRINTABLE:=E9=3D\n"
           u"END:VCARD"_s
        << uR"j({"displayName":"Jürgen","fields":[{"symbol":"person.fill","value":"Jürgen"},
               {"symbol":"building.2.fill","value":"Café €"},{"symbol":"briefcase.fill","value":"é="}]})j"_s;
    QTest::newRow("escapes undone, also inside structured values")
        << u"BEGIN:VCARD\nN:O\\;Brien;Pat\\, Jr.\nADR:;;Flat 2\\; Main St 1;Dublin\\, City;;;\nNOTE:a\\nb \\\\ c\nEND:VCARD"_s
        << uR"j({"displayName":"Pat, Jr. O;Brien","fields":[{"symbol":"location.fill","value":"Flat 2; Main St 1, Dublin, City"},
               {"symbol":"note.text","value":"a\nb \\ c"}]})j"_s;
    // As a Mac or iPhone exports labelled fields.
    QTest::newRow("group prefixes are dropped")
        << u"BEGIN:VCARD\nitem1.EMAIL;type=INTERNET;type=pref:ann@example.org\nitem1.X-ABLabel:_$!<Other>!$_\n"
           u"item2.URL:https://ann.example\nEND:VCARD"_s
        << uR"j({"fields":[{"symbol":"envelope.fill","value":"ann@example.org (Internet)"},{"symbol":"link","value":"https://ann.example"}]})j"_s;
    QTest::newRow("parameters may not hold a colon; the value may")
        << u"BEGIN:VCARD\nURL;VALUE=uri:https://example.com:8080/a\nBDAY:1990-01-01\nEND:VCARD"_s
        << uR"j({"fields":[{"symbol":"link","value":"https://example.com:8080/a"},{"symbol":"gift.fill","value":"1990-01-01"}]})j"_s;
    QTest::newRow("old Mac and Unicode line breaks separate lines")
        << u"BEGIN:VCARD\rTITLE:Boss\u2028ORG:Acme\u0085FN:Ann\rEND:VCARD"_s
        << uR"j({"displayName":"Ann","fields":[{"symbol":"person.fill","value":"Ann"},
               {"symbol":"building.2.fill","value":"Acme"},{"symbol":"briefcase.fill","value":"Boss"}]})j"_s;
    QTest::newRow("MECARD, with escapes and a comma-separated address")
        << u"MECARD:N:Doe,John;TEL:+15550100;EMAIL:john@example.com;ADR:,,Main St 1,Springfield,IL,62701,USA;"
           u"URL:https\\://example.com;NOTE:Met at\\; the fair;BDAY:19900101;;"_s
        << uR"j({"type":"VCardContent","displayName":"John Doe","fields":[{"symbol":"person.fill","value":"John Doe"},
               {"symbol":"phone.fill","value":"+15550100"},{"symbol":"envelope.fill","value":"john@example.com"},
               {"symbol":"location.fill","value":"Main St 1, Springfield, IL, 62701, USA"},
               {"symbol":"link","value":"https://example.com"},{"symbol":"gift.fill","value":"19900101"},
               {"symbol":"note.text","value":"Met at; the fair"}]})j"_s;
    QTest::newRow("MECARD with a one-piece address and no name")
        << u"mecard:TEL:123;ADR:Hauptstr. 1, Köln;;"_s
        << uR"j({"type":"VCardContent","displayName":null,"fields":[{"symbol":"phone.fill","value":"123"},
               {"symbol":"location.fill","value":"Hauptstr. 1, Köln"}]})j"_s;
    QTest::newRow("MECARD that names nothing is text") << u"MECARD:;;"_s << uR"j({"type":"PlainTextContent"})j"_s;
    QTest::newRow("BIZCARD")
        << u"BIZCARD:N:John;X:Doe;T:Engineer;C:Acme;A:Main St 1;B:+15550100;M:+15550111;E:john@acme.com;;"_s
        << uR"j({"type":"VCardContent","displayName":"John Doe","fields":[{"symbol":"person.fill","value":"John Doe"},
               {"symbol":"building.2.fill","value":"Acme"},{"symbol":"briefcase.fill","value":"Engineer"},
               {"symbol":"phone.fill","value":"+15550100 (Work)"},{"symbol":"phone.fill","value":"+15550111 (Cell)"},
               {"symbol":"envelope.fill","value":"john@acme.com"},{"symbol":"location.fill","value":"Main St 1"}]})j"_s;
    QTest::newRow("BEGIN without END is not a card")
        << u"BEGIN:VCARD\nFN:John\nURL:example.com"_s << uR"j({"type":"URLContent","urls":["http://example.com"]})j"_s;
}

void TestContentParser::wiFi_data()
{
    addColumns();
    QTest::newRow("escaped separator in SSID, type lower-cased, escapes undone in the password")
        << uR"j(WIFI:S:My\;Net;T:WPA;P:a\;b\:c\,d\"e\\f;;)j"_s
        << uR"j({"type":"WiFiContent","ssid":"My;Net","encryptionType":"wpa","password":"a;b:c,d\"e\\f",
               "fields":[{"symbol":"wifi","value":"My;Net"},{"symbol":"lock.fill","value":"WPA"},
               {"symbol":"key.fill","value":"a;b:c,d\"e\\f"}],
               "clipboardText":"a;b:c,d\"e\\f","clipboardMessage":"Password copied to clipboard","primaryAction":null})j"_s;
    QTest::newRow("open network without password")
        << u"WIFI:S:Cafe;;"_s << uR"j({"ssid":"Cafe","password":null,"encryptionType":"nopass",
               "fields":[{"symbol":"wifi","value":"Cafe"},{"symbol":"lock.open","value":"Open"}],
               "formattedText":"📶 Cafe\n🔓 Open","clipboardText":"Cafe","clipboardMessage":"Network name copied to clipboard"})j"_s;
    QTest::newRow("empty password is still a password")
        << u"WIFI:S:Cafe;P:;;"_s
        << uR"j({"password":"","clipboardText":"","clipboardMessage":"Password copied to clipboard",
               "fields":[{"symbol":"wifi","value":"Cafe"},{"symbol":"lock.open","value":"Open"}]})j"_s;
    QTest::newRow("lower-case markers, later components replace earlier ones, unknown ones ignored")
        << u"wifi:s:First;t:WEP;H:true;s:Second;T:;p:x"_s << uR"j({"ssid":"Second","encryptionType":"","password":"x",
               "fields":[{"symbol":"wifi","value":"Second"},{"symbol":"lock.fill","value":""},{"symbol":"key.fill","value":"x"}]})j"_s;
    QTest::newRow("escaped backslash before a separator ends the value")
        << uR"j(WIFI:S:back\\;P:pw;)j"_s << uR"j({"ssid":"back\\","password":"pw"})j"_s;
    QTest::newRow("no SSID is not Wi-Fi") << u"WIFI:T:WPA;P:secret;;"_s << uR"j({"type":"PlainTextContent"})j"_s;
    QTest::newRow("empty SSID is not Wi-Fi") << u"WIFI:S:;T:WPA;P:x;;"_s << uR"j({"type":"PlainTextContent"})j"_s;
}

void TestContentParser::textMessage_data()
{
    addColumns();
    QTest::newRow("sms with a percent-encoded body")
        << u"sms:+1 (555) 010-0100?body=Hi%20there"_s
        << uR"j({"type":"SMSContent","phoneNumber":"+1 (555) 010-0100","body":"Hi there",
               "fields":[{"symbol":"phone.fill","value":"+1 (555) 010-0100"},{"symbol":"text.bubble","value":"Hi there"}],
               "primaryAction":{"kind":"button","title":"Send Message","symbol":"message.fill","action":"sendSMS"}})j"_s;
    QTest::newRow("query name compared without case, UTF-8 escapes decoded")
        << u"SMS:+15550100?x=1&BODY=Gr%C3%BC%C3%9Fe"_s << uR"j({"phoneNumber":"+15550100","body":"Grüße"})j"_s;
    QTest::newRow("value keeps its own = and +") << u"sms:1?body=a=b+c"_s << uR"j({"body":"a=b+c"})j"_s;
    QTest::newRow("malformed escape keeps the body undecoded") << u"sms:1?body=100%zz"_s << uR"j({"body":"100%zz"})j"_s;
    QTest::newRow("escape cut short keeps the body undecoded") << u"sms:1?body=a%2"_s << uR"j({"body":"a%2"})j"_s;
    QTest::newRow("escapes that are not UTF-8 keep the body undecoded")
        << u"sms:1?body=%FF%FE"_s << uR"j({"body":"%FF%FE"})j"_s;
    QTest::newRow("query without body")
        << u"sms:5550100?subject=x&body"_s
        << uR"j({"type":"SMSContent","body":null,"fields":[{"symbol":"phone.fill","value":"5550100"}]})j"_s;
    QTest::newRow("number without query") << u"sms:5550100"_s << uR"j({"phoneNumber":"5550100","body":null})j"_s;
    QTest::newRow("no digit") << u"sms:+-()?body=x"_s << uR"j({"type":"PlainTextContent"})j"_s;
    QTest::newRow("bad number before ? is not retried") << u"sms:12a?body=x"_s << uR"j({"type":"PlainTextContent"})j"_s;
    QTest::newRow("smsto keeps the body as it is, colons and escapes too")
        << u"SMSTO:5550100:Meet at 10:30%20"_s << uR"j({"phoneNumber":"5550100","body":"Meet at 10:30%20"})j"_s;
    QTest::newRow("smsto with an empty body") << u"smsto:5550100:"_s << uR"j({"body":""})j"_s;
    QTest::newRow("smsto without body") << u"smsto:5550100"_s << uR"j({"body":null})j"_s;
    QTest::newRow("smsto with a bad number") << u"smsto:call me:hi"_s << uR"j({"type":"PlainTextContent"})j"_s;
}

void TestContentParser::email_data()
{
    addColumns();
    QTest::newRow("MATMSG with all parts")
        << u"MATMSG:TO:x;SUB:Hi;BODY:Text;;"_s << uR"j({"type":"EmailContent","to":"x","subject":"Hi","body":"Text",
               "fields":[{"symbol":"at","value":"x"},{"symbol":"text.justify.left","value":"Hi"},{"symbol":"text.quote","value":"Text"}],
               "primaryAction":{"kind":"button","title":"Send Email","symbol":"envelope.fill","action":"sendEmail"}})j"_s;
    QTest::newRow("MATMSG markers without case, values as written")
        << u"matmsg:to:A@B.example;body: keep %20 \\; ;sub:S"_s
        << uR"j({"to":"A@B.example","subject":"S","body":" keep %20 \\"})j"_s;
    QTest::newRow("MATMSG without recipient") << u"MATMSG:SUB:Hi;;"_s << uR"j({"type":"PlainTextContent"})j"_s;
    QTest::newRow("mailto with decoded recipient and query")
        << u"mailto:first%20last@example.com?subject=Hello%20you&body=a+b%0Ac"_s
        << uR"j({"type":"EmailContent","to":"first last@example.com","subject":"Hello you","body":"a+b\nc"})j"_s;
    QTest::newRow("mailto query names compared exactly, the first item taken")
        << u"MAILTO:x?Subject=y&subject=one&subject=two"_s
        << uR"j({"to":"x","subject":"one","body":null,"fields":[{"symbol":"at","value":"x"},
               {"symbol":"text.justify.left","value":"one"}]})j"_s;
    QTest::newRow("mailto with a broken escape") << u"mailto:a%zz@example.com"_s << uR"j({"type":"URLContent"})j"_s;
    QTest::newRow("mailto without recipient") << u"mailto:?subject=x"_s << uR"j({"type":"PlainTextContent"})j"_s;
    QTest::newRow("mailto with literal spaces, read as %20")
        << u"mailto:team@example.com?subject=Hello World&body=See you at 10"_s
        << uR"j({"type":"EmailContent","to":"team@example.com","subject":"Hello World","body":"See you at 10"})j"_s;
    QTest::newRow("mailto with a space in the recipient reads it as written")
        << u"mailto:john doe@example.com"_s << uR"j({"type":"EmailContent","to":"john doe@example.com"})j"_s;
    QTest::newRow("mailto that is no valid URL falls through to links")
        << u"mailto:a@example.com?subject=50%"_s << uR"j({"type":"URLContent"})j"_s;
}

void TestContentParser::phoneAndFallbacks_data()
{
    addColumns();
    QTest::newRow("tel link")
        << u"TEL:+15550100"_s
        << uR"j({"type":"PhoneContent","phoneNumber":"+15550100","clipboardText":"+15550100","fields":[{"symbol":"phone.fill","value":"+15550100"}],
               "primaryAction":{"kind":"menu","title":"Call…","symbol":"phone.fill","items":[{"id":"call","title":"Call"},{"id":"copyNumber","title":"Copy Number"}]}})j"_s;
    QTest::newRow("tel keeps what follows as it is") << u"tel: call me "_s << uR"j({"phoneNumber":" call me "})j"_s;
    QTest::newRow("one link is a button")
        << u"https://example.com/a"_s
        << uR"j({"type":"URLContent","isStructured":false,"clipboardText":null,"fields":[],"formattedText":"https://example.com/a",
               "primaryAction":{"kind":"button","title":"Open URL","symbol":"link","action":"https://example.com/a"}})j"_s;
    QTest::newRow("three links make a menu")
        << u"a.example.com b.example.org https://c.example.net"_s
        << uR"j({"primaryAction":{"kind":"menu","title":"Open URL…","symbol":"link","items":[
               {"id":"openAll","title":"Open All (3)"},{"id":"http://a.example.com","title":"http://a.example.com"},
               {"id":"http://b.example.org","title":"http://b.example.org"},{"id":"https://c.example.net","title":"https://c.example.net"}]}})j"_s;
    QTest::newRow("a failed recogniser passes on to links")
        << u"sms:see https://example.com"_s << uR"j({"type":"URLContent","urls":["https://example.com"]})j"_s;
    QTest::newRow("plain text")
        << u"Hello, world.\n"_s
        << uR"j({"type":"PlainTextContent","isStructured":false,"fields":[],"formattedText":"Hello, world.\n","primaryAction":null,
               "clipboardText":null,"clipboardMessage":"Copied to clipboard"})j"_s;
    QTest::newRow("empty text") << QString() << uR"j({"type":"PlainTextContent","rawText":""})j"_s;
    // Schemes Kavri does not act on: their parts are not links, addresses or numbers.
    QTest::newRow("two-factor setup code")
        << u"otpauth://totp/Example:alice@example.com?secret=JBSWY3DPEHPK3PXP&issuer=Example"_s
        << uR"j({"type":"PlainTextContent","primaryAction":null})j"_s;
    QTest::newRow("payment and place codes")
        << u"bitcoin:1A1zP1eP5QGefi2DMPTfTL5SLmv7DivfNa?amount=0.01&label=example.com"_s
        << uR"j({"type":"PlainTextContent"})j"_s;
    QTest::newRow("geo") << u"geo:37.786971,-122.399677"_s << uR"j({"type":"PlainTextContent"})j"_s;
    QTest::newRow("a host and port is not a scheme")
        << u"example.com:8080/status"_s << uR"j({"type":"URLContent","urls":["http://example.com:8080/status"]})j"_s;
    QTest::newRow("a label before a link is not a scheme")
        << u"Docs:https://example.com/docs"_s << uR"j({"type":"URLContent","urls":["https://example.com/docs"]})j"_s;
    QTest::newRow("a card beats the Wi-Fi payload inside it")
        << u"WIFI:S:x;;BEGIN:VCARD END:VCARD"_s << uR"j({"type":"VCardContent"})j"_s;
}

void TestContentParser::vCardFieldsKeepTheirIds()
{
    const kavri::ParsedContent card = kavri::ContentParser::parse(u"BEGIN:VCARD\nFN:A\nTEL:1\nEND:VCARD"_s);
    const QList<kavri::ContentField> first = card.fields();
    const QList<kavri::ContentField> second = card.fields();
    QCOMPARE(first.size(), 2);
    QCOMPARE(first[0].id, second[0].id);
    QVERIFY(first[0].id != first[1].id);
}

QTEST_GUILESS_MAIN(TestContentParser)
#include "tst_contentparser.moc"
