// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QHashFunctions>
#include <QList>
#include <QString>

namespace kavri {

// A language the user can pick for recognition. Identified, compared and hashed by code alone.
struct SupportedLanguage
{
    QString code; // as stored in the settings, e.g. "en-US"
    QString displayName; // in the user's language

    friend bool operator==(const SupportedLanguage &a, const SupportedLanguage &b) { return a.code == b.code; }
};

inline size_t qHash(const SupportedLanguage &language, size_t seed = 0) noexcept
{
    return qHash(language.code, seed);
}

namespace RecognitionLanguages {

// Settings code to recognizer code: "vi-VN" → "vi-VT", "ar-SA" → "ars-SA", others unchanged.
QString languageCode(const QString &settingsCode);
// The reverse.
QString settingsCode(const QString &recognizerCode);

// Recognizer code to the name of Tesseract's language data, and back to the code Kavri uses for
// that data. None when there is no such data.
//
// A code is read, in this order, as: a row of Kavri's table ("en-US" → "eng", "zh-Hans" →
// "chi_sim"), whether or not its data is installed; the name of installed data ("frk",
// "script/Latin"); a locale ("de-AT", "de_AT", "pt", "zh-TW", "sr-Latn-RS") whose language and
// script match a row ("deu", "chi_tra"), else installed data for that language in that script
// ("srp_latn", "afr").
std::optional<QString> tesseractLanguage(const QString &recognizerCode);
// The same against a given list of installed data instead of the data folder.
std::optional<QString> tesseractLanguage(const QString &recognizerCode, const QStringList &installed);
std::optional<QString> recognizerCode(const QString &tesseractLanguage);

// The installed data to read the user's own language with, from a locale name as QLocale gives
// it ("de_AT", "sr-Latn-RS"); none when that data is not installed.
std::optional<QString> installedLanguageFor(const QString &locale);
std::optional<QString> installedLanguageFor(const QString &locale, const QStringList &installed);

// The Debian package that holds a Tesseract language's data ("deu" → "tesseract-ocr-deu",
// "Latin" → "tesseract-ocr-script-latn").
QString packageFor(const QString &tesseractLanguage);

// Built from the installed language data (a list of Tesseract names, or none when Tesseract
// cannot report it); tesseractLanguage() accepts every entry's code (through languageCode()). Data with a table row is
// offered under the row's settings code, any other under its own name. Display names come from
// ICU in the user's locale; the code itself where ICU has none.
QList<SupportedLanguage> fromInstalled(const std::optional<QStringList> &installedTesseractLanguages);

// The languages offered when Tesseract cannot report its data.
QList<SupportedLanguage> fallback();

// The installed data, asked of Tesseract once per process and kept.
const QList<SupportedLanguage> &supportedLanguages();

} // namespace RecognitionLanguages
} // namespace kavri
