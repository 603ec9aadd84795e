// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TesseractData.h"

#include <algorithm>
#include <array>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <unicode/locid.h>
#include <unicode/unistr.h>
#include <unicode/uscript.h>

using namespace Qt::StringLiterals;

namespace kavri::TesseractData {

namespace {

constexpr QStringView fileSuffix = u".traineddata";

// Tesseract joins languages with "+" and takes the rest as a path below its folder.
bool isLoadableName(const QString &language)
{
    static const QRegularExpression name(u"^[A-Za-z0-9_-]+(/[A-Za-z0-9_-]+)?$"_s);
    return name.match(language).hasMatch();
}

void appendLanguagesIn(const QDir &dir, const QString &prefix, QStringList &languages)
{
    for (const QString &file : dir.entryList({ u"*"_s + fileSuffix }, QDir::Files | QDir::Readable)) {
        const QString language = prefix + file.chopped(fileSuffix.size());
        if (isLoadableName(language))
            languages.append(language);
    }
}

// Where ICU reads a Tesseract name otherwise than Tesseract means it: ISO 639-3 "frk" is
// Frankish, Tesseract's frk is German set in Fraktur.
struct NameOverride
{
    QStringView tesseract;
    const char *locale;
};
constexpr std::array<NameOverride, 1> nameOverrides { { { u"frk", "de_Latf" } } };

// Tesseract's suffixes for a script that ISO 15924 spells otherwise ("chi_sim").
struct ScriptSuffix
{
    QStringView suffix;
    const char *script;
};
constexpr std::array<ScriptSuffix, 3> scriptSuffixes { {
    { u"sim", "Hans" },
    { u"tra", "Hant" },
    { u"frak", "Latf" },
} };

// Suffixes that name no script, shown after the language ("jpn_vert", "ita_old").
struct VariantSuffix
{
    QStringView suffix;
    QStringView shown;
};
constexpr std::array<VariantSuffix, 2> variantSuffixes { {
    { u"vert", u"vertical" },
    { u"old", u"historic" },
} };

// Script data ICU cannot find by Tesseract's name for it, and Debian packages named otherwise
// than the script's ISO 15924 code. Tesseract's "Vietnamese" is Latin script trained for
// Vietnamese, which ISO 15924 has no code for.
struct ScriptData
{
    QStringView tesseract;
    const char *script;
    QStringView package;
};
constexpr std::array<ScriptData, 3> scriptData { {
    { u"Fraktur", "Latf", u"frak" },
    { u"Japanese", "Jpan", u"jpan" },
    { u"Vietnamese", "", u"viet" },
} };

template <typename Row, size_t size, typename Key>
const Row *findRow(const std::array<Row, size> &table, QStringView Row::*column, const Key &key)
{
    const auto row = std::find_if(table.begin(), table.end(), [&](const Row &entry) { return entry.*column == key; });
    return row == table.end() ? nullptr : &*row;
}

// Tesseract capitalises the names of its script data, and nothing else.
bool isScriptData(const QString &name)
{
    return !name.isEmpty() && name.front().isUpper();
}

QString fromIcu(const icu::UnicodeString &text)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(text.getBuffer()), text.length());
}

// The ISO 15924 code of a script by name or code ("Cyrillic", "cyrl", "HanS"); "" when unknown.
QString scriptCode(const QString &name)
{
    std::array<UScriptCode, 8> codes {};
    UErrorCode status = U_ZERO_ERROR;
    const int found = uscript_getCode(name.toLatin1().constData(), codes.data(), int(codes.size()), &status);
    if (U_FAILURE(status) || found < 1)
        return {};
    return QString::fromLatin1(uscript_getShortName(codes[0]));
}

// The script of Tesseract's script data ("HanS" → "Hans", "Fraktur" → "Latf"); "" when unknown.
QString scriptOfData(const QString &name)
{
    if (const ScriptData *row = findRow(scriptData, &ScriptData::tesseract, name))
        return QString::fromLatin1(row->script);
    return scriptCode(name);
}

// The locale ICU names Tesseract data by: "aze_cyrl" → "az_Cyrl", "Latin" → "mul_Latn" (a script
// model reads every language written in it). "" when a suffix or script is unknown.
QString localeOfData(QStringList parts)
{
    if (isScriptData(parts.front())) {
        const QString script = scriptOfData(parts.join(u'_'));
        return script.isEmpty() ? QString() : u"mul_"_s + script;
    }
    const QString base = parts.takeFirst();
    if (const NameOverride *row = findRow(nameOverrides, &NameOverride::tesseract, base))
        return parts.isEmpty() ? QString::fromLatin1(row->locale) : QString();
    QString locale = base;
    for (const QString &suffix : std::as_const(parts)) {
        // Tesseract's own suffix, else an ISO 15924 code ("cyrl").
        const ScriptSuffix *row = findRow(scriptSuffixes, &ScriptSuffix::suffix, suffix);
        const QString script = row ? QString::fromLatin1(row->script)
            : suffix.size() == 4   ? scriptCode(suffix)
                                   : QString();
        if (script.isEmpty())
            return {};
        locale += u'_' + script;
    }
    return locale;
}

// "script/Latin" → "Latin": Tesseract's own layout keeps script data in a folder.
QString fileName(const QString &language)
{
    return language.section(u'/', -1);
}

} // namespace

QString folder()
{
    const QString prefix = qEnvironmentVariable("TESSDATA_PREFIX");
    if (!prefix.isEmpty())
        return QDir::cleanPath(prefix);
    return u"/usr/share/tesseract-ocr/5/tessdata"_s;
}

std::optional<QStringList> installedLanguages()
{
    const QDir dir(folder());
    if (!dir.exists() || !dir.isReadable())
        return std::nullopt;
    QStringList languages;
    appendLanguagesIn(dir, {}, languages);
    // Tesseract's own layout keeps the script data in "script/".
    for (const QString &sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Readable))
        appendLanguagesIn(QDir(dir.filePath(sub)), sub + u'/', languages);
    std::sort(languages.begin(), languages.end());
    return languages;
}

bool isInstalled(const QString &language)
{
    if (!isLoadableName(language))
        return false;
    const QFileInfo file(QDir(folder()).filePath(language + fileSuffix));
    return file.isFile() && file.isReadable();
}

QString localeName(const QString &locale)
{
    const icu::Locale parsed = icu::Locale::createCanonical(locale.toLatin1().constData());
    icu::UnicodeString language;
    parsed.getDisplayLanguage(icu::Locale::getDefault(), language);
    // ICU echoes the code back when it has no name for the language.
    if (language.isEmpty() || fromIcu(language) == QLatin1StringView(parsed.getLanguage()))
        return {};
    icu::UnicodeString full;
    parsed.getDisplayName(icu::Locale::getDefault(), full);
    return fromIcu(full);
}

QString displayName(const QString &language)
{
    QStringList parts = fileName(language).split(u'_');
    QStringList variants;
    while (parts.size() > 1) {
        const VariantSuffix *variant = findRow(variantSuffixes, &VariantSuffix::suffix, parts.last());
        if (!variant)
            break;
        variants.prepend(variant->shown.toString());
        parts.removeLast();
    }
    const QString locale = localeOfData(parts);
    const QString name = locale.isEmpty() ? QString() : localeName(locale);
    if (name.isEmpty())
        return {};
    variants.prepend(name);
    return variants.join(u", ");
}

QString packageName(const QString &language)
{
    QString name = fileName(language);
    if (isScriptData(name)) {
        const bool vertical = name.endsWith(u"_vert");
        if (vertical)
            name.chop(5);
        const ScriptData *row = findRow(scriptData, &ScriptData::tesseract, name);
        const QString script = row ? row->package.toString() : scriptCode(name);
        name = u"script_"_s + (script.isEmpty() ? name : script) + (vertical ? u"_vert"_s : QString());
    }
    name = name.toLower();
    name.replace(u'_', u'-');
    return u"tesseract-ocr-"_s + name;
}

} // namespace kavri::TesseractData
