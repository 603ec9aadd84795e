// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecognitionEngine.h"

#include <QLocale>
#include <QtConcurrent>

#include "BarcodeDecoder.h"
#include "ImagePreparation.h"
#include "RecognitionLanguages.h"
#include "TesseractData.h"
#include "TesseractEngines.h"
#include "TextRecognizer.h"
#include "platform/FreedMemory.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

Outcome<LanguageChooser::Plan> planFor(const std::optional<QString> &language)
{
    if (!language) {
        static const LanguageChooser::Plan automatic = LanguageChooser::automaticPlan(
            QLocale().name(), TesseractData::installedLanguages().value_or(QStringList()));
        return automatic;
    }
    const QString code = RecognitionLanguages::languageCode(*language);
    const auto tesseract = RecognitionLanguages::tesseractLanguage(code);
    if (!tesseract)
        return KavriError::recognitionFailed(u"no text recognition data is known for the language \"%1\""_s.arg(code));
    return LanguageChooser::Plan { { *tesseract }, {} };
}

} // namespace

RecognitionEngine::RecognitionEngine(QObject *parent)
    : QObject(parent)
{
    m_releaseEngines.setSingleShot(true);
    m_releaseEngines.setInterval(std::chrono::seconds(20));
    connect(&m_releaseEngines, &QTimer::timeout, this, [] {
        TesseractEngines::releaseIdle();
        returnFreedMemory();
    });
}

QFuture<Outcome<QString>> RecognitionEngine::recognizeText(
    const QImage &image, const std::optional<QString> &language, const QStringList &customWords)
{
    m_releaseEngines.stop();
    return QtConcurrent::run(threadPool(), [image, language, customWords] {
        return recognizeTextNow(image, language, customWords);
    }).then(this, [this](const Outcome<QString> &text) {
        m_releaseEngines.start();
        return text;
    });
}

QFuture<Outcome<QStringList>> RecognitionEngine::detectBarcodes(const QImage &image)
{
    return QtConcurrent::run(threadPool(), [image] { return detectBarcodesNow(image); });
}

QThreadPool *RecognitionEngine::threadPool()
{
    return TesseractEngines::threadPool();
}

Outcome<QString> RecognitionEngine::recognizeTextNow(
    const QImage &image, const std::optional<QString> &language, const QStringList &customWords)
{
    const Outcome<LanguageChooser::Plan> plan = planFor(language);
    if (const auto *error = std::get_if<KavriError>(&plan))
        return *error;
    const QImage gray = ImagePreparation::boundedGray(image);
    if (gray.isNull())
        return KavriError::recognitionFailed(u"the image is empty"_s);
    return TextRecognizer::recognize(gray, std::get<LanguageChooser::Plan>(plan), customWords);
}

Outcome<QStringList> RecognitionEngine::detectBarcodesNow(const QImage &image)
{
    const QImage gray = ImagePreparation::boundedGray(image);
    if (gray.isNull())
        return KavriError::recognitionFailed(u"the image is empty"_s);
    return BarcodeDecoder::decode(gray);
}

} // namespace kavri
