// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecognitionLanguages.h"

#include <array>

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include "TesseractData.h"
#include "platform/Log.h"

using namespace Qt::StringLiterals;

namespace kavri::RecognitionLanguages {

namespace {

struct LanguageRow
{
    QStringView recognizerCode;
    QStringView tesseract;
};

// Recognizer codes and Tesseract data names. Where two codes share data (en-US and en-GB), the
// first row is the one the data maps back to.
constexpr std::array<LanguageRow, 42> languageTable { {
    { u"en-US", u"eng" },
    { u"en-GB", u"eng" },
    { u"de-DE", u"deu" },
    { u"fr-FR", u"fra" },
    { u"es-ES", u"spa" },
    { u"it-IT", u"ita" },
    { u"pt-BR", u"por" },
    { u"zh-Hans", u"chi_sim" },
    { u"zh-Hant", u"chi_tra" },
    { u"ja-JP", u"jpn" },
    { u"ko-KR", u"kor" },
    { u"ru-RU", u"rus" },
    { u"uk-UA", u"ukr" },
    { u"th-TH", u"tha" },
    { u"vi-VT", u"vie" },
    { u"ars-SA", u"ara" },
    { u"nl-NL", u"nld" },
    { u"pl-PL", u"pol" },
    { u"sv-SE", u"swe" },
    { u"da-DK", u"dan" },
    { u"nb-NO", u"nor" },
    { u"fi-FI", u"fin" },
    { u"cs-CZ", u"ces" },
    { u"sk-SK", u"slk" },
    { u"hu-HU", u"hun" },
    { u"ro-RO", u"ron" },
    { u"tr-TR", u"tur" },
    { u"el-GR", u"ell" },
    { u"he-IL", u"heb" },
    { u"hi-IN", u"hin" },
    { u"id-ID", u"ind" },
    { u"bg-BG", u"bul" },
    { u"hr-HR", u"hrv" },
    { u"sl-SI", u"slv" },
    { u"ca-ES", u"cat" },
    { u"lt-LT", u"lit" },
    { u"lv-LV", u"lav" },
    { u"et-EE", u"est" },
    { u"sr-RS", u"srp" },
    { u"fa-IR", u"fas" },
    { u"ms-MY", u"msa" },
    { u"bn-IN", u"ben" },
} };

// Data that is not a language one reads text in.
constexpr std::array<QStringView, 2> notLanguages { u"osd", u"equ" };

QString displayName(const QString &code)
{
    const icu::Locale locale(code.toLatin1().constData());
    icu::UnicodeString language;
    locale.getDisplayLanguage(icu::Locale::getDefault(), language);
    // ICU echoes the code back when it has no name for the language.
    const QString languageName
        = QString::fromUtf16(reinterpret_cast<const char16_t *>(language.getBuffer()), language.length());
    if (languageName.isEmpty() || languageName == QString::fromLatin1(locale.getLanguage()))
        return code;
    icu::UnicodeString full;
    locale.getDisplayName(icu::Locale::getDefault(), full);
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(full.getBuffer()), full.length());
}

} // namespace

QString languageCode(const QString &settingsCode)
{
    if (settingsCode == u"vi-VN")
        return u"vi-VT"_s;
    if (settingsCode == u"ar-SA")
        return u"ars-SA"_s;
    return settingsCode;
}

QString settingsCode(const QString &recognizerCode)
{
    if (recognizerCode == u"vi-VT")
        return u"vi-VN"_s;
    if (recognizerCode == u"ars-SA")
        return u"ar-SA"_s;
    return recognizerCode;
}

std::optional<QString> tesseractLanguage(const QString &recognizerCode)
{
    for (const LanguageRow &row : languageTable) {
        if (row.recognizerCode == recognizerCode)
            return row.tesseract.toString();
    }
    return std::nullopt;
}

std::optional<QString> recognizerCode(const QString &tesseract)
{
    for (const LanguageRow &row : languageTable) {
        if (row.tesseract == tesseract)
            return row.recognizerCode.toString();
    }
    return std::nullopt;
}

QString packageFor(const QString &tesseract)
{
    QString name = tesseract.toLower();
    name.replace(u'_', u'-');
    return u"tesseract-ocr-"_s + name;
}

QList<SupportedLanguage> fromInstalled(const std::optional<QStringList> &installedTesseractLanguages)
{
    if (!installedTesseractLanguages)
        return fallback();
    QList<SupportedLanguage> languages;
    for (const QString &tesseract : *installedTesseractLanguages) {
        if (std::find(notLanguages.begin(), notLanguages.end(), tesseract) != notLanguages.end())
            continue;
        // Data Kavri has no code for is still offered, under its own name.
        const QString code = settingsCode(recognizerCode(tesseract).value_or(tesseract));
        languages.append({ code, displayName(code) });
    }
    return languages;
}

QList<SupportedLanguage> fallback()
{
    return {
        { u"en-US"_s, u"English (US)"_s },
        { u"en-GB"_s, u"English (UK)"_s },
        { u"de-DE"_s, u"German"_s },
        { u"fr-FR"_s, u"French"_s },
        { u"es-ES"_s, u"Spanish"_s },
        { u"it-IT"_s, u"Italian"_s },
        { u"pt-BR"_s, u"Portuguese (Brazil)"_s },
        { u"zh-Hans"_s, u"Chinese (Simplified)"_s },
        { u"zh-Hant"_s, u"Chinese (Traditional)"_s },
        { u"ja-JP"_s, u"Japanese"_s },
        { u"ko-KR"_s, u"Korean"_s },
    };
}

const QList<SupportedLanguage> &supportedLanguages()
{
    static const QList<SupportedLanguage> languages = [] {
        const std::optional<QStringList> installed = TesseractData::installedLanguages();
        if (!installed)
            qCCritical(lcKavri, "Failed to fetch supported languages: %ls",
                qUtf16Printable(u"no Tesseract language data folder at %1"_s.arg(TesseractData::folder())));
        return fromInstalled(installed);
    }();
    return languages;
}

} // namespace kavri::RecognitionLanguages
