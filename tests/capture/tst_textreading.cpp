// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The decisions around Tesseract that need no Tesseract: which words to believe, what a row of
// marks says, which languages automatic detection reads in.
#include <QGuiApplication>
#include <QTest>

#include "capture/LanguageChooser.h"
#include "capture/MarkRow.h"
#include "capture/RecognizedText.h"
#include "support/TestImages.h"

using namespace Qt::StringLiterals;
using namespace kavri;
using namespace kavri::test;
using RecognizedText::Line;
using RecognizedText::Word;

namespace {

// A word as Tesseract reports it: word confidence, mean character confidence, doubtful characters.
Word word(const QString &text, float confidence, float characters = 99, int doubtful = 0)
{
    return { text, confidence, false, characters, doubtful, {} };
}

Word dictionaryWord(const QString &text, float confidence)
{
    Word result = word(text, confidence);
    result.dictionary = true;
    return result;
}

Line line(const QList<Word> &words)
{
    return { words, {} };
}

} // namespace

Q_DECLARE_METATYPE(QList<kavri::RecognizedText::Line>)

class TestTextReading : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void believedText_data();
    void believedText();
    void markRows_data();
    void markRows();
    void automaticPlan_data();
    void automaticPlan();
    void dictionaryCoverage();
};

void TestTextReading::believedText_data()
{
    QTest::addColumn<QList<Line>>("lines");
    QTest::addColumn<QString>("text");
    QTest::newRow("sure words, one line each") << QList<Line> { line({ word(u"Invoice"_s, 96), word(u"4521"_s, 95) }),
        line({ word(u"Paid"_s, 93) }) } << u"Invoice 4521\nPaid"_s;
    // Tesseract doubts a brace or a rule more than the words; beside sure words they stay.
    QTest::newRow("a doubtful brace between sure lines")
        << QList<Line> { line({ word(u"return"_s, 95), word(u"count;"_s, 94) }), line({ word(u"}"_s, 12) }),
               line({ word(u"int"_s, 96), word(u"x;"_s, 90) }) }
        << u"return count;\n}\nint x;"_s;
    // A link's word confidence follows its least certain character; its characters are sure.
    QTest::newRow("a long link with one doubtful character")
        << QList<Line> { line({ word(u"https://www.example.com/a/b?id=97607"_s, 7, 98.5f, 1) }) }
        << u"https://www.example.com/a/b?id=97607"_s;
    QTest::newRow("noise: many words, hardly any sure")
        << QList<Line> { line({ word(u"ee"_s, 20), word(u"Se"_s, 14), word(u"SASS"_s, 68), word(u"tay"_s, 32) }),
               line({ word(u"Rees"_s, 26), word(u"aT"_s, 10), word(u"ane"_s, 8), word(u"LONE"_s, 42) }),
               line({ word(u"Gee"_s, 25), word(u"wrt"_s, 18), word(u"ce"_s, 12), word(u"cat"_s, 43) }) }
        << QString();
    // The close and maximise buttons of a title bar read as "X" and "O", and surely so.
    QTest::newRow("single sure characters alone")
        << QList<Line> { line({ word(u"O"_s, 89), word(u"X"_s, 89) }) } << QString();
    QTest::newRow("an icon row: doubtful, however long")
        << QList<Line> { line({ word(u"Ooo7vx=eOTDDR>"_s, 37, 96, 3) }) } << QString();
    // Round shapes in a photo make short dictionary words at middling confidence.
    QTest::newRow("a short word from a photo")
        << QList<Line> { line({ dictionaryWord(u"or"_s, 74), word(u"~"_s, 48) }) } << QString();
    QTest::newRow("a short label read surely") << QList<Line> { line({ dictionaryWord(u"OK"_s, 91) }) } << u"OK"_s;
    QTest::newRow("a short label beside a longer word")
        << QList<Line> { line({ dictionaryWord(u"Go"_s, 70), word(u"back"_s, 88) }) } << u"Go back"_s;
    QTest::newRow("no words") << QList<Line> {} << QString();
}

void TestTextReading::believedText()
{
    QFETCH(QList<Line>, lines);
    QFETCH(QString, text);
    QCOMPARE(RecognizedText::believedText(lines), text);
}

void TestTextReading::markRows_data()
{
    QTest::addColumn<QString>("marks");
    QTest::addColumn<QString>("family");
    QTest::addColumn<std::optional<QString>>("read");
    const QString mono = u"DejaVu Sans Mono"_s, sans = u"DejaVu Sans"_s;
    QTest::newRow("spaced stars") << u"* * *"_s << sans << std::optional<QString>(u"* * *"_s);
    QTest::newRow("fixed-width dashes") << u"----------"_s << mono << std::optional<QString>(u"----------"_s);
    QTest::newRow("spaced dashes") << u"- - -"_s << sans << std::optional<QString>(u"- - -"_s);
    QTest::newRow("equals signs") << u"======"_s << mono << std::optional<QString>(u"======"_s);
    QTest::newRow("a word") << u"Total"_s << sans << std::optional<QString>();
    QTest::newRow("one mark") << u"*"_s << sans << std::optional<QString>();
    QTest::newRow("mixed marks") << u"* - *"_s << sans << std::optional<QString>();
}

void TestTextReading::markRows()
{
    QFETCH(QString, marks);
    QFETCH(QString, family);
    QFETCH(std::optional<QString>, read);
    // At the size Kavri reads text: lines about 36 pixels high.
    const TextStyle style { family, 30, Qt::white, Qt::black };
    const QImage image = renderBlock(marks, style, 12).convertToFormat(QImage::Format_Grayscale8);
    QCOMPARE(MarkRow::read(image, image.rect(), 36), read);
}

void TestTextReading::automaticPlan_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QStringList>("primary");
    QTest::addColumn<QStringList>("alternatives");
    const QStringList installed { u"chi_sim"_s, u"deu"_s, u"eng"_s, u"fra"_s, u"frk"_s, u"Latin"_s, u"osd"_s };
    QTest::newRow("English") << u"en_US"_s << installed << QStringList { u"eng"_s }
                             << QStringList { u"deu"_s, u"fra"_s };
    // Regional locales once fell back to English alone.
    QTest::newRow("Austrian German") << u"de_AT"_s << installed << QStringList { u"deu"_s, u"eng"_s }
                                     << QStringList { u"fra"_s };
    QTest::newRow("Canadian French") << u"fr_CA"_s << installed << QStringList { u"fra"_s, u"eng"_s }
                                     << QStringList { u"deu"_s };
    QTest::newRow("a language without data")
        << u"pt_PT"_s << installed << QStringList { u"eng"_s } << QStringList { u"deu"_s, u"fra"_s };
    QTest::newRow("no English data") << u"en_GB"_s << QStringList { u"deu"_s, u"fra"_s } << QStringList { u"deu"_s }
                                     << QStringList { u"fra"_s };
}

void TestTextReading::automaticPlan()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, installed);
    QFETCH(QStringList, primary);
    QFETCH(QStringList, alternatives);
    const LanguageChooser::Plan plan = LanguageChooser::automaticPlan(locale, installed);
    QCOMPARE(plan.primary, primary);
    QStringList tried;
    for (const QStringList &alternative : plan.alternatives)
        tried += alternative;
    QCOMPARE(tried, alternatives);
}

void TestTextReading::dictionaryCoverage()
{
    Word known = word(u"Straße"_s, 95);
    known.dictionary = true;
    const QList<Line> lines { line({ known, word(u"Xq7"_s, 90), word(u"--"_s, 90) }) };
    // Letters only: six of the eight are in a known word.
    QCOMPARE(LanguageChooser::dictionaryCoverage(lines), std::optional<double>(6.0 / 8.0));
    QCOMPARE(LanguageChooser::dictionaryCoverage({ line({ word(u"42"_s, 90) }) }), std::nullopt);
}

QTEST_MAIN(TestTextReading)
#include "tst_textreading.moc"
