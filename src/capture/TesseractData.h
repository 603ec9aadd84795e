// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QStringList>

// Where Tesseract's language data lives, and what is there.
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

} // namespace kavri::TesseractData
