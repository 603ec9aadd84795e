// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TesseractData.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

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

} // namespace kavri::TesseractData
