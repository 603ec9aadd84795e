// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Which Tesseract data a language code reads with, and what the language picker offers.
#include <QFile>
#include <QGuiApplication>
#include <QTest>

#include "capture/RecognitionEngine.h"
#include "capture/RecognitionLanguages.h"
#include "support/TestImages.h"

using namespace Qt::StringLiterals;
using namespace kavri;
using namespace kavri::test;

class TestRecognitionLanguages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void languageTables();
    void installedLanguagesBecomeTheList();
    void missingLanguageNamesItsPackage();
};

void TestRecognitionLanguages::languageTables()
{
    using namespace RecognitionLanguages;
    QCOMPARE(languageCode(u"vi-VN"_s), u"vi-VT"_s);
    QCOMPARE(languageCode(u"ar-SA"_s), u"ars-SA"_s);
    QCOMPARE(languageCode(u"de-DE"_s), u"de-DE"_s);
    QCOMPARE(settingsCode(u"ars-SA"_s), u"ar-SA"_s);
    for (const QString &code : { u"en-US"_s, u"de-DE"_s, u"zh-Hans"_s, u"vi-VT"_s, u"ars-SA"_s }) {
        const auto tesseract = tesseractLanguage(code);
        QVERIFY2(tesseract.has_value(), qPrintable(code));
        QCOMPARE(recognizerCode(*tesseract), code);
    }
    QCOMPARE(tesseractLanguage(u"en-GB"_s), u"eng"_s);
    QCOMPARE(recognizerCode(u"eng"_s), u"en-US"_s);
    QCOMPARE(packageFor(u"chi_sim"_s), u"tesseract-ocr-chi-sim"_s);
}

void TestRecognitionLanguages::installedLanguagesBecomeTheList()
{
    using namespace RecognitionLanguages;
    const QList<SupportedLanguage> list
        = fromInstalled(QStringList { u"ara"_s, u"eng"_s, u"osd"_s, u"vie"_s, u"zzz"_s });
    QStringList codes;
    for (const SupportedLanguage &language : list)
        codes.append(language.code);
    QCOMPARE(codes, (QStringList { u"ar-SA"_s, u"en-US"_s, u"vi-VN"_s, u"zzz"_s }));
    QCOMPARE(list.last().displayName, u"zzz"_s);
    QVERIFY(list[1].displayName != u"en-US"_s);
    QCOMPARE(fromInstalled(QStringList {}).size(), 0);
    QCOMPARE(fromInstalled(std::nullopt), fallback());
    QCOMPARE(fallback().size(), 11);
    QCOMPARE((SupportedLanguage { u"de-DE"_s, u"German"_s }), (SupportedLanguage { u"de-DE"_s, u"Deutsch"_s }));
}

void TestRecognitionLanguages::missingLanguageNamesItsPackage()
{
    const QImage image = renderText({ u"Bonjour"_s }, 14);
    const auto outcome = RecognitionEngine::recognizeTextNow(image, u"fr-FR"_s, {});
    if (QFile::exists(u"/usr/share/tesseract-ocr/5/tessdata/fra.traineddata"_s))
        QSKIP("French data is installed here");
    QVERIFY(std::holds_alternative<KavriError>(outcome));
    QVERIFY2(std::get<KavriError>(outcome).errorDescription().contains(u"tesseract-ocr-fra"),
        qPrintable(std::get<KavriError>(outcome).errorDescription()));
}

QTEST_MAIN(TestRecognitionLanguages)
#include "tst_recognitionlanguages.moc"
