// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QStringList>

// Where Tesseract's language data lives, and what is there.
namespace kavri::TesseractData {

// $TESSDATA_PREFIX (as Tesseract reads it), else the folder Debian installs the data in.
QString folder();

// The languages with data in folder() (file names without ".traineddata"), sorted; none when
// the folder cannot be read.
std::optional<QStringList> installedLanguages();

} // namespace kavri::TesseractData
