// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Which Tesseract data a language code reads with, what the language picker offers and under
// which name, and that every language offered here reads text with real Tesseract.
#include <QDir>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <unicode/locid.h>

#include "capture/RecognitionEngine.h"
#include "capture/RecognitionLanguages.h"
#include "capture/TesseractData.h"
#include "support/TestImages.h"

using namespace Qt::StringLiterals;
using namespace kavri;
using namespace kavri::test;

using OptionalString = std::optional<QString>;
Q_DECLARE_METATYPE(OptionalString)

namespace {

QString textOf(const Outcome<QString> &outcome)
{
    if (const auto *error = std::get_if<KavriError>(&outcome))
        return u"error: "_s + error->errorDescription();
    return std::get<QString>(outcome);
}

QStringList codesOf(const QList<SupportedLanguage> &languages)
{
    QStringList codes;
    for (const SupportedLanguage &language : languages)
        codes.append(language.code);
    return codes;
}

// Points Tesseract at another data folder until the guard goes.
auto dataFolder(const QString &path)
{
    const QByteArray before = qgetenv("TESSDATA_PREFIX");
    qputenv("TESSDATA_PREFIX", QFile::encodeName(path));
    return qScopeGuard([before] {
        if (before.isEmpty())
            qunsetenv("TESSDATA_PREFIX");
        else
            qputenv("TESSDATA_PREFIX", before);
    });
}

bool touch(const QString &path)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly);
}

} // namespace

class TestRecognitionLanguages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void storedCodesKeepTheirData();
    void codesReadAsTheirLanguage_data();
    void codesReadAsTheirLanguage();
    void theUsersLocalePicksInstalledData_data();
    void theUsersLocalePicksInstalledData();
    void installedLanguagesBecomeTheList();
    void dataIsNamedByIcu_data();
    void dataIsNamedByIcu();
    void packagesAreNamedAsDebianNamesThem_data();
    void packagesAreNamedAsDebianNamesThem();
    void theDataFolderIsListed();
    void everyOfferedLanguageReads_data();
    void everyOfferedLanguageReads();
    void frenchKeepsItsAccents();
    void missingLanguageNamesItsPackage_data();
    void missingLanguageNamesItsPackage();
};

void TestRecognitionLanguages::initTestCase()
{
    // Display names follow ICU's default locale, which the environment would otherwise set.
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu::Locale::getEnglish(), status);
    QVERIFY(U_SUCCESS(status));
}

void TestRecognitionLanguages::storedCodesKeepTheirData()
{
    using namespace RecognitionLanguages;
    QCOMPARE(languageCode(u"vi-VN"_s), u"vi-VT"_s);
    QCOMPARE(languageCode(u"ar-SA"_s), u"ars-SA"_s);
    QCOMPARE(languageCode(u"de-DE"_s), u"de-DE"_s);
    QCOMPARE(settingsCode(u"ars-SA"_s), u"ar-SA"_s);
    for (const QString &code : { u"en-US"_s, u"de-DE"_s, u"zh-Hans"_s, u"vi-VT"_s, u"ars-SA"_s }) {
        const auto tesseract = tesseractLanguage(code, {});
        QVERIFY2(tesseract.has_value(), qPrintable(code));
        QCOMPARE(recognizerCode(*tesseract), code);
    }
    QCOMPARE(tesseractLanguage(u"en-GB"_s, {}), u"eng"_s);
    QCOMPARE(recognizerCode(u"eng"_s), u"en-US"_s);
}

void TestRecognitionLanguages::codesReadAsTheirLanguage_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<OptionalString>("data");
    const QStringList none;
    const OptionalString refused;
    // A row's language in another region reads with the row's data, installed or not, so that
    // missing data can name its package.
    QTest::newRow("de-AT") << u"de-AT"_s << none << OptionalString(u"deu"_s);
    QTest::newRow("de-CH") << u"de-CH"_s << none << OptionalString(u"deu"_s);
    QTest::newRow("de") << u"de"_s << none << OptionalString(u"deu"_s);
    QTest::newRow("de_AT, as a locale name") << u"de_AT"_s << none << OptionalString(u"deu"_s);
    QTest::newRow("de_AT.UTF-8") << u"de_AT.UTF-8"_s << none << OptionalString(u"deu"_s);
    QTest::newRow("fr-CA") << u"fr-CA"_s << none << OptionalString(u"fra"_s);
    QTest::newRow("es-MX") << u"es-MX"_s << none << OptionalString(u"spa"_s);
    QTest::newRow("pt-PT") << u"pt-PT"_s << none << OptionalString(u"por"_s);
    QTest::newRow("pt") << u"pt"_s << none << OptionalString(u"por"_s);
    QTest::newRow("en-AU") << u"en-AU"_s << none << OptionalString(u"eng"_s);
    QTest::newRow("ar-EG, beside the ars-SA row") << u"ar-EG"_s << none << OptionalString(u"ara"_s);
    QTest::newRow("vi, beside the vi-VT row") << u"vi"_s << none << OptionalString(u"vie"_s);
    QTest::newRow("iw, Hebrew's old code") << u"iw-IL"_s << none << OptionalString(u"heb"_s);
    // Chinese goes by script, which the region implies.
    QTest::newRow("zh-TW") << u"zh-TW"_s << none << OptionalString(u"chi_tra"_s);
    QTest::newRow("zh-HK") << u"zh-HK"_s << none << OptionalString(u"chi_tra"_s);
    QTest::newRow("zh-Hant-TW") << u"zh-Hant-TW"_s << none << OptionalString(u"chi_tra"_s);
    QTest::newRow("zh_TW") << u"zh_TW"_s << none << OptionalString(u"chi_tra"_s);
    QTest::newRow("zh-CN") << u"zh-CN"_s << none << OptionalString(u"chi_sim"_s);
    QTest::newRow("zh-SG") << u"zh-SG"_s << none << OptionalString(u"chi_sim"_s);
    QTest::newRow("zh") << u"zh"_s << none << OptionalString(u"chi_sim"_s);
    // Another script than the row's needs its own data.
    QTest::newRow("sr-Latn-RS") << u"sr-Latn-RS"_s << QStringList { u"srp"_s, u"srp_latn"_s }
                                << OptionalString(u"srp_latn"_s);
    QTest::newRow("sr-Latn-RS, only Cyrillic") << u"sr-Latn-RS"_s << QStringList { u"srp"_s } << refused;
    QTest::newRow("sr-ME, Latin there") << u"sr-ME"_s << QStringList { u"srp_latn"_s } << OptionalString(u"srp_latn"_s);
    QTest::newRow("sr-RS") << u"sr-RS"_s << none << OptionalString(u"srp"_s);
    QTest::newRow("de-Cyrl") << u"de-Cyrl"_s << QStringList { u"deu"_s } << refused;
    // Languages without a row: installed data by its ISO 639-2 name.
    QTest::newRow("af-ZA") << u"af-ZA"_s << QStringList { u"afr"_s } << OptionalString(u"afr"_s);
    QTest::newRow("af-ZA, not installed") << u"af-ZA"_s << none << refused;
    QTest::newRow("uz-Cyrl") << u"uz-Cyrl"_s << QStringList { u"uzb"_s, u"uzb_cyrl"_s }
                             << OptionalString(u"uzb_cyrl"_s);
    QTest::newRow("uz-Cyrl, only Latin") << u"uz-Cyrl"_s << QStringList { u"uzb"_s } << refused;
    // Installed data under its own name.
    QTest::newRow("frk") << u"frk"_s << QStringList { u"frk"_s } << OptionalString(u"frk"_s);
    QTest::newRow("frk, not installed") << u"frk"_s << none << refused;
    QTest::newRow("chi_sim_vert") << u"chi_sim_vert"_s << QStringList { u"chi_sim_vert"_s }
                                  << OptionalString(u"chi_sim_vert"_s);
    QTest::newRow("Latin") << u"Latin"_s << QStringList { u"Latin"_s } << OptionalString(u"Latin"_s);
    QTest::newRow("script/Latin") << u"script/Latin"_s << QStringList { u"script/Latin"_s }
                                  << OptionalString(u"script/Latin"_s);
    QTest::newRow("osd is no language") << u"osd"_s << QStringList { u"osd"_s } << refused;
    QTest::newRow("equ is no language") << u"equ"_s << QStringList { u"equ"_s } << refused;
    QTest::newRow("unknown language") << u"zzz"_s << none << refused;
    QTest::newRow("C locale") << u"C"_s << none << refused;
    QTest::newRow("empty") << QString() << none << refused;
}

void TestRecognitionLanguages::codesReadAsTheirLanguage()
{
    QFETCH(QString, code);
    QFETCH(QStringList, installed);
    QFETCH(OptionalString, data);
    QCOMPARE(RecognitionLanguages::tesseractLanguage(code, installed), data);
}

void TestRecognitionLanguages::theUsersLocalePicksInstalledData_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<OptionalString>("data");
    const QStringList installed { u"deu"_s, u"eng"_s, u"fra"_s, u"srp_latn"_s };
    QTest::newRow("de_AT") << u"de_AT"_s << installed << OptionalString(u"deu"_s);
    QTest::newRow("fr-CA") << u"fr-CA"_s << installed << OptionalString(u"fra"_s);
    QTest::newRow("sr-Latn") << u"sr-Latn"_s << installed << OptionalString(u"srp_latn"_s);
    QTest::newRow("es_MX, not installed") << u"es_MX"_s << installed << OptionalString();
    QTest::newRow("C") << u"C"_s << installed << OptionalString();
}

void TestRecognitionLanguages::theUsersLocalePicksInstalledData()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, installed);
    QFETCH(OptionalString, data);
    QCOMPARE(RecognitionLanguages::installedLanguageFor(locale, installed), data);
}

void TestRecognitionLanguages::installedLanguagesBecomeTheList()
{
    using namespace RecognitionLanguages;
    const QList<SupportedLanguage> list = fromInstalled(QStringList { u"Latin"_s, u"ara"_s, u"eng"_s, u"frk"_s,
        u"osd"_s, u"script/Latin"_s, u"script/equ"_s, u"script/Greek"_s, u"vie"_s, u"zzz"_s });
    QCOMPARE(codesOf(list),
        (QStringList { u"Latin"_s, u"ar-SA"_s, u"en-US"_s, u"frk"_s, u"script/Greek"_s, u"vi-VN"_s, u"zzz"_s }));
    // Every entry is one recognition accepts.
    const QStringList installed { u"Latin"_s, u"frk"_s, u"script/Greek"_s, u"zzz"_s };
    for (const SupportedLanguage &language : list)
        QVERIFY2(tesseractLanguage(languageCode(language.code), installed), qPrintable(language.code));
    QCOMPARE(fromInstalled(QStringList {}).size(), 0);
    QCOMPARE(fromInstalled(std::nullopt), fallback());
    QCOMPARE((SupportedLanguage { u"de-DE"_s, u"German"_s }), (SupportedLanguage { u"de-DE"_s, u"Deutsch"_s }));
}

void TestRecognitionLanguages::dataIsNamedByIcu_data()
{
    QTest::addColumn<QString>("tesseract");
    QTest::addColumn<QString>("name");
    QTest::newRow("a table row") << u"deu"_s << u"German (Germany)"_s;
    QTest::newRow("Fraktur, not Frankish") << u"frk"_s << u"German (Fraktur Latin)"_s;
    QTest::newRow("a script suffix") << u"aze_cyrl"_s << u"Azerbaijani (Cyrillic)"_s;
    QTest::newRow("Tesseract's suffix, vertical") << u"chi_sim_vert"_s << u"Chinese (Simplified), vertical"_s;
    QTest::newRow("historic spelling") << u"ita_old"_s << u"Italian, historic"_s;
    QTest::newRow("ISO 639-3") << u"grc"_s << u"Ancient Greek"_s;
    QTest::newRow("script data") << u"Latin"_s << u"Multiple languages (Latin)"_s;
    QTest::newRow("script data in its folder")
        << u"script/HanS_vert"_s << u"Multiple languages (Simplified), vertical"_s;
    QTest::newRow("Fraktur script") << u"Fraktur"_s << u"Multiple languages (Fraktur Latin)"_s;
    QTest::newRow("a script with two words")
        << u"Canadian_Aboriginal"_s << u"Multiple languages (Unified Canadian Aboriginal Syllabics)"_s;
    QTest::newRow("a script ISO has no code for") << u"Vietnamese"_s << u"Vietnamese"_s;
    QTest::newRow("unknown language") << u"zzz"_s << u"zzz"_s;
    QTest::newRow("unknown suffix") << u"deu_xyz"_s << u"deu_xyz"_s;
}

void TestRecognitionLanguages::dataIsNamedByIcu()
{
    QFETCH(QString, tesseract);
    QFETCH(QString, name);
    const QList<SupportedLanguage> list = RecognitionLanguages::fromInstalled(QStringList { tesseract });
    QCOMPARE(list.size(), 1);
    QCOMPARE(list.front().displayName, name);
}

void TestRecognitionLanguages::packagesAreNamedAsDebianNamesThem_data()
{
    QTest::addColumn<QString>("tesseract");
    QTest::addColumn<QString>("package");
    QTest::newRow("language") << u"deu"_s << u"tesseract-ocr-deu"_s;
    QTest::newRow("suffix") << u"chi_sim"_s << u"tesseract-ocr-chi-sim"_s;
    QTest::newRow("script") << u"Latin"_s << u"tesseract-ocr-script-latn"_s;
    QTest::newRow("script, two words") << u"Canadian_Aboriginal"_s << u"tesseract-ocr-script-cans"_s;
    QTest::newRow("script in its folder, vertical") << u"script/HanS_vert"_s << u"tesseract-ocr-script-hans-vert"_s;
    QTest::newRow("Fraktur script") << u"Fraktur"_s << u"tesseract-ocr-script-frak"_s;
    QTest::newRow("Vietnamese script") << u"Vietnamese"_s << u"tesseract-ocr-script-viet"_s;
}

void TestRecognitionLanguages::packagesAreNamedAsDebianNamesThem()
{
    QFETCH(QString, tesseract);
    QFETCH(QString, package);
    QCOMPARE(RecognitionLanguages::packageFor(tesseract), package);
}

void TestRecognitionLanguages::theDataFolderIsListed()
{
    QTemporaryDir dir;
    for (const QString &file : { u"eng.traineddata"_s, u"script/Latin.traineddata"_s, u"osd.traineddata"_s,
             u"eng+deu.traineddata"_s, u"pdf.ttf"_s, u"configs/hocr"_s })
        QVERIFY(touch(dir.filePath(file)));
    const auto restore = dataFolder(dir.path());
    QCOMPARE(TesseractData::installedLanguages(), (QStringList { u"eng"_s, u"osd"_s, u"script/Latin"_s }));
    QVERIFY(TesseractData::isInstalled(u"script/Latin"_s));
    QVERIFY(!TesseractData::isInstalled(u"Latin"_s));
    QVERIFY(!TesseractData::isInstalled(u"eng+deu"_s));
    QVERIFY(!TesseractData::isInstalled(u"../%1/eng"_s.arg(QFileInfo(dir.path()).fileName())));
    QCOMPARE(RecognitionLanguages::tesseractLanguage(u"script/Latin"_s), u"script/Latin"_s);
    QCOMPARE(RecognitionLanguages::installedLanguageFor(u"en_AU"_s), u"eng"_s);
    QCOMPARE(RecognitionLanguages::installedLanguageFor(u"de_AT"_s), std::nullopt);

    const auto unreadable = dataFolder(dir.filePath(u"missing"_s));
    QCOMPARE(TesseractData::installedLanguages(), std::nullopt);
}

void TestRecognitionLanguages::everyOfferedLanguageReads_data()
{
    QTest::addColumn<QString>("code");
    const QStringList codes = codesOf(RecognitionLanguages::supportedLanguages());
    // scripts/packages installs these: the French reading and data without a table row.
    QVERIFY2(codes.contains(u"fr-FR"_s) && codes.contains(u"frk"_s), qPrintable(codes.join(u' ')));
    for (const QString &code : codes)
        QTest::newRow(qPrintable(code)) << code;
}

void TestRecognitionLanguages::everyOfferedLanguageReads()
{
    QFETCH(QString, code);
    const QImage image = renderText({ u"Kavri 2026"_s }, 24);
    const Outcome<QString> text = RecognitionEngine::recognizeTextNow(image, code, {});
    QVERIFY2(std::holds_alternative<QString>(text), qPrintable(textOf(text)));
    QVERIFY(!std::get<QString>(text).trimmed().isEmpty());
}

void TestRecognitionLanguages::frenchKeepsItsAccents()
{
    const QString line = u"Où êtes-vous allé à Noël ?"_s;
    QCOMPARE(textOf(RecognitionEngine::recognizeTextNow(renderText({ line }, 20), u"fr-CA"_s, {})), line);
}

void TestRecognitionLanguages::missingLanguageNamesItsPackage_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("package");
    QTest::newRow("a stored code") << u"pl-PL"_s << u"tesseract-ocr-pol"_s;
    QTest::newRow("a regional code") << u"es-MX"_s << u"tesseract-ocr-spa"_s;
    QTest::newRow("a script by region") << u"zh-TW"_s << u"tesseract-ocr-chi-tra"_s;
}

void TestRecognitionLanguages::missingLanguageNamesItsPackage()
{
    QFETCH(QString, code);
    QFETCH(QString, package);
    // An empty data folder: whatever this machine has installed, nothing is there.
    QTemporaryDir empty;
    const auto restore = dataFolder(empty.path());
    const auto outcome = RecognitionEngine::recognizeTextNow(renderText({ u"Witaj"_s }, 14), code, {});
    QVERIFY(std::holds_alternative<KavriError>(outcome));
    QVERIFY2(std::get<KavriError>(outcome).errorDescription().contains(package), qPrintable(textOf(outcome)));
}

QTEST_MAIN(TestRecognitionLanguages)
#include "tst_recognitionlanguages.moc"
