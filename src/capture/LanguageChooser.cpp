// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LanguageChooser.h"

#include <algorithm>
#include <array>
#include <memory>

#include <tesseract/baseapi.h>
#include <unicode/locid.h>
#include <unicode/ulocdata.h>
#include <unicode/uset.h>

#include "RecognitionLanguages.h"
#include "TesseractEngines.h"

using namespace Qt::StringLiterals;

namespace kavri::LanguageChooser {

namespace {

using RecognizedText::Line;
using RecognizedText::Word;

// An alternative is tried when its dictionary knows at least this many letters more than the
// primary's: a word or two of the other language.
constexpr qsizetype minimumGain = 4;

qsizetype letters(const QString &text)
{
    return std::count_if(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

// Letters of the primary reading's words that \a api's dictionary knows and the primary's does
// not (gained), and the other way round (lost).
struct Fit
{
    qsizetype gained = 0;
    qsizetype lost = 0;
};

Fit fitOf(tesseract::TessBaseAPI &api, const QList<Line> &lines)
{
    Fit fit;
    for (const Line &line : lines) {
        for (const Word &word : line.words) {
            // Tesseract's dictionaries hold words without the punctuation around them.
            QString bare = word.text;
            while (!bare.isEmpty() && !bare.front().isLetterOrNumber())
                bare.remove(0, 1);
            while (!bare.isEmpty() && !bare.back().isLetterOrNumber())
                bare.chop(1);
            const qsizetype count = letters(bare);
            if (count == 0)
                continue;
            const bool known = api.IsValidWord(bare.toUtf8().constData()) != 0;
            if (known && !word.dictionary)
                fit.gained += count;
            else if (!known && word.dictionary)
                fit.lost += count;
        }
    }
    return fit;
}

// The letters \a languages write, either case, as ICU knows them; null when it does not.
std::unique_ptr<USet, decltype(&uset_close)> alphabetOf(const QStringList &languages)
{
    std::unique_ptr<USet, decltype(&uset_close)> all(uset_openEmpty(), uset_close);
    for (const QString &language : languages) {
        const icu::Locale locale = icu::Locale::createCanonical(language.section(u'_', 0, 0).toLatin1().constData());
        UErrorCode status = U_ZERO_ERROR;
        const std::unique_ptr<ULocaleData, decltype(&ulocdata_close)> data(
            ulocdata_open(locale.getName(), &status), ulocdata_close);
        USet *letters = U_SUCCESS(status)
            ? ulocdata_getExemplarSet(data.get(), nullptr, USET_CASE_INSENSITIVE, ULOCDATA_ES_STANDARD, &status)
            : nullptr;
        if (!letters || U_FAILURE(status) || uset_isEmpty(letters)) {
            if (letters)
                uset_close(letters);
            return { nullptr, uset_close };
        }
        uset_addAll(all.get(), letters);
        uset_close(letters);
    }
    return all;
}

// The letters of \a lines outside \a known: "é" and "ö" in text read as English.
QString foreignLetters(const QList<Line> &lines, const USet *known)
{
    QString foreign;
    for (const Line &line : lines) {
        for (const Word &word : line.words) {
            for (const char32_t c : word.text.toUcs4()) {
                if (QChar::isLetter(c) && !uset_contains(known, UChar32(c)))
                    foreign += QString::fromUcs4(&c, 1);
            }
        }
    }
    return foreign;
}

qsizetype countIn(const QString &letters, const QStringList &languages)
{
    const auto alphabet = alphabetOf(languages);
    if (!alphabet)
        return 0;
    const QList<uint> ucs4 = letters.toUcs4();
    return std::count_if(ucs4.begin(), ucs4.end(), [&](uint c) { return uset_contains(alphabet.get(), UChar32(c)); });
}

// Languages no one expects a guess to land on: historic forms, vertical text, data that is not a
// language.
bool isEverydayLanguage(const QString &language)
{
    static constexpr std::array special { u"osd", u"equ", u"frk", u"enm", u"frm", u"grc", u"dan_frak", u"deu_frak" };
    if (language.isEmpty() || language.front().isUpper() || language.contains(u'/'))
        return false; // script data ("Latin", "script/Latin")
    if (language.endsWith(u"_vert") || language.endsWith(u"_old"))
        return false;
    return std::find(special.begin(), special.end(), language) == special.end();
}

bool isLatinScript(const QString &language)
{
    const QString base = language.section(u'_', 0, 0);
    const QString variant = language.section(u'_', 1);
    if (variant == u"latn")
        return true;
    if (!variant.isEmpty())
        return false; // chi_sim, aze_cyrl, ...
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale locale = icu::Locale::createCanonical(base.toLatin1().constData());
    locale.addLikelySubtags(status);
    return U_SUCCESS(status) && qstrcmp(locale.getScript(), "Latn") == 0;
}

} // namespace

Plan automaticPlan(const QString &locale, const QStringList &installed)
{
    Plan plan;
    if (const auto own = RecognitionLanguages::installedLanguageFor(locale, installed); own && isEverydayLanguage(*own))
        plan.primary.append(*own);
    if (installed.contains(u"eng"_s) && !plan.primary.contains(u"eng"_s))
        plan.primary.append(u"eng"_s);
    if (plan.primary.isEmpty()) {
        const auto first = std::find_if(installed.begin(), installed.end(), isEverydayLanguage);
        if (first != installed.end())
            plan.primary.append(*first);
    }
    for (const QString &language : installed) {
        if (!plan.primary.contains(language) && isEverydayLanguage(language) && isLatinScript(language))
            plan.alternatives.append({ language });
    }
    return plan;
}

std::optional<double> dictionaryCoverage(const QList<Line> &lines)
{
    qsizetype all = 0, known = 0;
    for (const Line &line : lines) {
        for (const Word &word : line.words) {
            const qsizetype count = letters(word.text);
            all += count;
            if (word.dictionary)
                known += count;
        }
    }
    if (all == 0)
        return std::nullopt;
    return double(known) / double(all);
}

Outcome<Choice> choose(const Plan &plan, const QStringList &customWords, const Read &read)
{
    Outcome<QList<Line>> first = read(plan.primary);
    if (const auto *error = std::get_if<KavriError>(&first))
        return *error;
    Choice primary { plan.primary, std::get<QList<Line>>(std::move(first)) };
    const std::optional<double> coverage = dictionaryCoverage(primary.lines);
    if (plan.alternatives.isEmpty() || !coverage)
        return primary;

    // Dictionaries share many words (English's knows "Fenster", "demain" and "ist"): what tells a
    // language is the words only its dictionary knows, and the letters only its alphabet has.
    const auto primaryAlphabet = alphabetOf(plan.primary);
    const QString foreign = primaryAlphabet ? foreignLetters(primary.lines, primaryAlphabet.get()) : QString();
    const QStringList *best = nullptr;
    qsizetype bestMargin = 0;
    for (const QStringList &alternative : plan.alternatives) {
        const Outcome<tesseract::TessBaseAPI *> api = TesseractEngines::forThisThread(alternative, customWords);
        if (std::holds_alternative<KavriError>(api))
            continue;
        const Fit fit = fitOf(*std::get<tesseract::TessBaseAPI *>(api), primary.lines);
        const qsizetype ownLetters = foreign.isEmpty() ? 0 : countIn(foreign, alternative);
        const qsizetype margin = fit.gained - fit.lost + ownLetters;
        if (margin > bestMargin && (fit.gained >= minimumGain || ownLetters > 0)) {
            bestMargin = margin;
            best = &alternative;
        }
    }
    if (!best)
        return primary;

    Outcome<QList<Line>> second = read(*best);
    if (const auto *error = std::get_if<KavriError>(&second))
        return *error;
    Choice other { *best, std::get<QList<Line>>(std::move(second)) };
    if (dictionaryCoverage(other.lines).value_or(0) >= *coverage)
        return other;
    return primary;
}

} // namespace kavri::LanguageChooser
