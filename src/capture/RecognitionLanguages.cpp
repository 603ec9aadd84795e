// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecognitionLanguages.h"

#include <array>
#include <functional>

#include <unicode/locid.h>

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

bool isNotLanguage(const QString &tesseract)
{
    return std::find(notLanguages.begin(), notLanguages.end(), tesseract) != notLanguages.end();
}

// "script/Latin" → "Latin": Tesseract's own layout keeps script data in a folder.
QString fileName(const QString &tesseract)
{
    return tesseract.section(u'/', -1);
}

QString displayName(const QString &code)
{
    const QString name = TesseractData::localeName(code);
    return name.isEmpty() ? code : name;
}

struct Subtags
{
    QString language;
    QString script;

    friend bool operator==(const Subtags &, const Subtags &) = default;
};

// Language and script of a locale in "de-AT" or "de_AT" form (with what the environment may add:
// "de_AT.UTF-8"), the script as the locale implies it: "de-AT" → de Latn, "zh-TW" → zh Hant.
std::optional<Subtags> subtagsOf(const QString &locale)
{
    QString tag = locale.section(u'.', 0, 0).section(u'@', 0, 0);
    tag.replace(u'_', u'-');
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale parsed = icu::Locale::forLanguageTag(tag.toLatin1().constData(), status);
    // Without a language ICU would canonicalise to its default locale.
    if (U_FAILURE(status) || parsed.isBogus() || *parsed.getLanguage() == '\0')
        return std::nullopt;
    // Old and three-letter codes ("iw", "deu") to the ones the table's rows use.
    icu::Locale full = icu::Locale::createCanonical(parsed.getName());
    full.addLikelySubtags(status);
    if (U_FAILURE(status) || *full.getLanguage() == '\0')
        return std::nullopt;
    return Subtags { QString::fromLatin1(full.getLanguage()), QString::fromLatin1(full.getScript()) };
}

// The table's rows as subtags, in the table's order; rows are compared in settings form, so that
// the pseudo-regions of "vi-VT" and "ars-SA" read as Vietnamese and Arabic.
const std::array<std::optional<Subtags>, languageTable.size()> &rowSubtags()
{
    static const auto rows = [] {
        std::array<std::optional<Subtags>, languageTable.size()> subtags;
        for (size_t i = 0; i < languageTable.size(); ++i)
            subtags[i] = subtagsOf(settingsCode(languageTable[i].recognizerCode.toString()));
        return subtags;
    }();
    return rows;
}

// Tesseract's name for \a language's data in the language's own script: the table's row, else
// the ISO 639-2/T code Tesseract names most data by ("af" → "afr"). "" when there is none.
QString dataNameFor(const Subtags &language)
{
    for (size_t i = 0; i < languageTable.size(); ++i) {
        if (rowSubtags()[i] == language)
            return languageTable[i].tesseract.toString();
    }
    return QString::fromLatin1(icu::Locale(language.language.toLatin1().constData()).getISO3Language());
}

using IsInstalled = std::function<bool(const QString &tesseract)>;

std::optional<QString> resolve(const QString &code, const IsInstalled &isInstalled)
{
    for (const LanguageRow &row : languageTable) {
        if (row.recognizerCode == code)
            return row.tesseract.toString();
    }
    if (!isNotLanguage(fileName(code)) && isInstalled(code))
        return code;

    const auto wanted = subtagsOf(settingsCode(code));
    if (!wanted)
        return std::nullopt;
    // Another region of a row's language and script: de-AT reads as de-DE, zh-TW as zh-Hant.
    for (size_t i = 0; i < languageTable.size(); ++i) {
        if (rowSubtags()[i] == *wanted)
            return languageTable[i].tesseract.toString();
    }
    // Installed data named as Tesseract names it, with a suffix for another script: "srp_latn".
    const auto own = subtagsOf(wanted->language);
    if (!own)
        return std::nullopt;
    QString data = dataNameFor(*own);
    if (data.isEmpty())
        return std::nullopt;
    if (wanted->script != own->script)
        data += u'_' + wanted->script.toLower();
    if (isNotLanguage(data) || !isInstalled(data))
        return std::nullopt;
    return data;
}

IsInstalled installedIn(const QStringList &installed)
{
    return [&installed](const QString &tesseract) { return installed.contains(tesseract); };
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
    return resolve(recognizerCode, TesseractData::isInstalled);
}

std::optional<QString> tesseractLanguage(const QString &recognizerCode, const QStringList &installed)
{
    return resolve(recognizerCode, installedIn(installed));
}

std::optional<QString> recognizerCode(const QString &tesseract)
{
    for (const LanguageRow &row : languageTable) {
        if (row.tesseract == tesseract)
            return row.recognizerCode.toString();
    }
    return std::nullopt;
}

std::optional<QString> installedLanguageFor(const QString &locale)
{
    const auto data = resolve(locale, TesseractData::isInstalled);
    return data && TesseractData::isInstalled(*data) ? data : std::nullopt;
}

std::optional<QString> installedLanguageFor(const QString &locale, const QStringList &installed)
{
    const auto data = tesseractLanguage(locale, installed);
    return data && installed.contains(*data) ? data : std::nullopt;
}

QString packageFor(const QString &tesseract)
{
    return TesseractData::packageName(tesseract);
}

QList<SupportedLanguage> fromInstalled(const std::optional<QStringList> &installedTesseractLanguages)
{
    if (!installedTesseractLanguages)
        return fallback();
    QList<SupportedLanguage> languages;
    for (const QString &tesseract : *installedTesseractLanguages) {
        if (isNotLanguage(fileName(tesseract)))
            continue;
        // Script data both at the top and in Tesseract's "script/" folder is offered once.
        if (tesseract.contains(u'/') && installedTesseractLanguages->contains(fileName(tesseract)))
            continue;
        if (const auto row = recognizerCode(tesseract)) {
            const QString code = settingsCode(*row);
            languages.append({ code, displayName(code) });
        } else {
            const QString name = TesseractData::displayName(tesseract);
            languages.append({ tesseract, name.isEmpty() ? tesseract : name });
        }
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
