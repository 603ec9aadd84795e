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

// Recognizer code to the name of Tesseract's language data ("en-US" → "eng", "zh-Hans" →
// "chi_sim"), and back to the code Kavri uses for that data. None when there is no such data.
std::optional<QString> tesseractLanguage(const QString &recognizerCode);
std::optional<QString> recognizerCode(const QString &tesseractLanguage);

// The Debian package that holds a Tesseract language's data ("deu" → "tesseract-ocr-deu").
QString packageFor(const QString &tesseractLanguage);

// Built from the installed language data (a list of Tesseract names, or none when Tesseract
// cannot report it): display names in the user's locale, the code itself where there is none.
QList<SupportedLanguage> fromInstalled(const std::optional<QStringList> &installedTesseractLanguages);

// The languages offered when Tesseract cannot report its data.
QList<SupportedLanguage> fallback();

// The installed data, asked of Tesseract once per process and kept.
const QList<SupportedLanguage> &supportedLanguages();

} // namespace RecognitionLanguages
} // namespace kavri
