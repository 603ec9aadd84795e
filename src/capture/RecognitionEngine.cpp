// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecognitionEngine.h"

#include <QLocale>
#include <QtConcurrent>

#include "BarcodeDecoder.h"
#include "ImagePreparation.h"
#include "RecognitionLanguages.h"
#include "TesseractData.h"
#include "TextRecognizer.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

// Without a chosen language: the user's own language, when its data is installed, with English.
QStringList automaticLanguages()
{
    static const QStringList languages = [] {
        QStringList list { u"eng"_s };
        const QString locale = QLocale().name().replace(u'_', u'-');
        const QStringList installed = TesseractData::installedLanguages().value_or(QStringList());
        for (const QString &candidate : { locale, locale.section(u'-', 0, 0) }) {
            const auto own = RecognitionLanguages::tesseractLanguage(candidate);
            if (own && *own != u"eng" && installed.contains(*own)) {
                list.prepend(*own);
                break;
            }
        }
        return list;
    }();
    return languages;
}

Outcome<QStringList> tesseractLanguagesFor(const std::optional<QString> &language)
{
    if (!language)
        return automaticLanguages();
    const QString code = RecognitionLanguages::languageCode(*language);
    const auto tesseract = RecognitionLanguages::tesseractLanguage(code);
    if (!tesseract)
        return KavriError::recognitionFailed(u"no text recognition data is known for the language \"%1\""_s.arg(code));
    return QStringList { *tesseract };
}

} // namespace

RecognitionEngine::RecognitionEngine(QObject *parent)
    : QObject(parent)
{ }

QFuture<Outcome<QString>> RecognitionEngine::recognizeText(
    const QImage &image, const std::optional<QString> &language, const QStringList &customWords)
{
    return QtConcurrent::run(
        threadPool(), [image, language, customWords] { return recognizeTextNow(image, language, customWords); });
}

QFuture<Outcome<QStringList>> RecognitionEngine::detectBarcodes(const QImage &image)
{
    return QtConcurrent::run(threadPool(), [image] { return detectBarcodesNow(image); });
}

QThreadPool *RecognitionEngine::threadPool()
{
    static QThreadPool *pool = [] {
        auto *threads = new QThreadPool;
        threads->setExpiryTimeout(-1);
        threads->setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
        return threads;
    }();
    return pool;
}

Outcome<QString> RecognitionEngine::recognizeTextNow(
    const QImage &image, const std::optional<QString> &language, const QStringList &customWords)
{
    const Outcome<QStringList> languages = tesseractLanguagesFor(language);
    if (const auto *error = std::get_if<KavriError>(&languages))
        return *error;
    const QImage gray = ImagePreparation::boundedGray(image);
    if (gray.isNull())
        return KavriError::recognitionFailed(u"the image is empty"_s);
    return TextRecognizer::recognize(gray, std::get<QStringList>(languages), customWords);
}

Outcome<QStringList> RecognitionEngine::detectBarcodesNow(const QImage &image)
{
    const QImage gray = ImagePreparation::boundedGray(image);
    if (gray.isNull())
        return KavriError::recognitionFailed(u"the image is empty"_s);
    return BarcodeDecoder::decode(gray);
}

} // namespace kavri
