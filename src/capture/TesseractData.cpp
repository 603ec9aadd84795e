// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TesseractData.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace kavri::TesseractData {

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
    for (const QString &file : dir.entryList({ u"*.traineddata"_s }, QDir::Files | QDir::Readable, QDir::Name))
        languages.append(file.chopped(int(std::char_traits<char>::length(".traineddata"))));
    return languages;
}

} // namespace kavri::TesseractData
