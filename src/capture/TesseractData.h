// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QStringList>

// Where Tesseract's language data lives, what is there, and what each is called.
namespace kavri::TesseractData {

// $TESSDATA_PREFIX (as Tesseract reads it), else the folder Debian installs the data in.
QString folder();

// The languages with data in folder() or one folder below it, as Tesseract is given them
// ("eng", "Latin", "script/Latin"), sorted; none when the folder cannot be read. Names Tesseract
// cannot be given (with "+" or spaces) are left out.
std::optional<QStringList> installedLanguages();

// Whether \a language names data in folder() that Tesseract can load: the file exists and the
// name stays inside the folder.
bool isInstalled(const QString &language);

// ICU's name for \a language's data in the user's language: "aze_cyrl" → "Azerbaijani
// (Cyrillic)", "chi_sim_vert" → "Chinese (Simplified), vertical", script data such as "Latin" →
// "Multiple languages (Latin)". "" when ICU has no name for it.
QString displayName(const QString &language);

// ICU's name for a locale ("de-DE", "az_Cyrl") in the user's language; "" when ICU has no name
// for its language.
QString localeName(const QString &locale);

// The Debian package that holds \a language's data: "chi_sim" → "tesseract-ocr-chi-sim",
// "Latin" and "script/Latin" → "tesseract-ocr-script-latn".
QString packageName(const QString &language);

} // namespace kavri::TesseractData
