// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The content model itself: identities and equality, and the text form of kinds built directly
// (as the capture service does for recognised text) rather than by the parser.
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include "content/ParsedContent.h"

using namespace Qt::StringLiterals;
using namespace kavri;

class TestParsedContent : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A warning means something went unnoticed (a missing suffix list, a bad URL).
    void init() { QTest::failOnWarning(QRegularExpression(u".*"_s)); }
    void fieldsCompareByWhatTheyShow();
    void actionsCompareByIdAndTitle();
    void computedFieldsAreFreshEachRead();
    void formattedText_data();
    void formattedText();
};

void TestParsedContent::fieldsCompareByWhatTheyShow()
{
    const ContentField a(u"phone.fill"_s, u"123"_s);
    const ContentField b(u"phone.fill"_s, u"123"_s);
    QVERIFY(a.id != b.id);
    QCOMPARE(a, b);
    QCOMPARE(qHash(a), qHash(b));
    QCOMPARE(QSet<ContentField>({ a, b }).size(), 1);
    QVERIFY(!(a == ContentField(u"phone.fill"_s, u"1234"_s)));
    QVERIFY(!(a == ContentField(u"at"_s, u"123"_s)));
}

void TestParsedContent::actionsCompareByIdAndTitle()
{
    QCOMPARE(
        QSet<ActionMenuItem>({ { u"call"_s, u"Call"_s }, { u"call"_s, u"Call"_s }, { u"call"_s, u"Dial"_s } }).size(),
        2);
    const auto button = ContentAction::button(u"Open URL"_s, u"link"_s, u"https://a.example"_s);
    QCOMPARE(button, ContentAction::button(u"Open URL"_s, u"link"_s, u"https://a.example"_s));
    QVERIFY(!(button == ContentAction::button(u"Open URL"_s, u"link"_s, u"https://b.example"_s)));
    QVERIFY(!(button == ContentAction::menu(u"Open URL"_s, u"link"_s, {})));
}

void TestParsedContent::computedFieldsAreFreshEachRead()
{
    const ParsedContent wifi = WiFiContent(u"raw"_s, u"Net"_s, u"pw"_s, u"wpa"_s);
    const QList<ContentField> first = wifi.fields();
    const QList<ContentField> second = wifi.fields();
    QCOMPARE(first, second);
    QVERIFY(first[0].id != second[0].id);
}

void TestParsedContent::formattedText_data()
{
    QTest::addColumn<ParsedContent>("content");
    QTest::addColumn<QString>("text");
    QTest::newRow("no fields: the raw text, untouched")
        << ParsedContent(PlainTextContent(u"  two\nlines \n"_s)) << u"  two\nlines \n"_s;
    QTest::newRow("e-mail with nothing to show falls back to the raw text")
        << ParsedContent(EmailContent(u"raw"_s, QString(), u""_s, u""_s)) << u"raw"_s;
    QTest::newRow("message keeps an empty number, drops an empty body")
        << ParsedContent(SMSContent(u"sms:"_s, QString(), u""_s)) << u"\U0001F4DE "_s;
    QTest::newRow("unknown symbol gets a bullet") << ParsedContent(VCardContent(
        u"raw"_s, std::nullopt, { ContentField(u"star"_s, u"x"_s), ContentField(u"envelope.fill"_s, u"e"_s) }))
                                                  << u"\u2022 x\n\u2709\uFE0F e"_s;
}

void TestParsedContent::formattedText()
{
    QFETCH(ParsedContent, content);
    QFETCH(QString, text);
    QCOMPARE(content.formattedText(), text);
}

QTEST_GUILESS_MAIN(TestParsedContent)
#include "tst_parsedcontent.moc"
