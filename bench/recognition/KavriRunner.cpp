// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "KavriRunner.h"

#include <variant>

#include <QElapsedTimer>

#include "capture/RecognitionEngine.h"

using namespace Qt::StringLiterals;

namespace kavri {

KavriText kavriRecognizeText(const QImage &image, const std::optional<QString> &language)
{
    QElapsedTimer timer;
    timer.start();
    const Outcome<QString> outcome = RecognitionEngine::recognizeTextNow(image, language, {});
    KavriText result;
    result.milliseconds = double(timer.nsecsElapsed()) / 1e6;
    if (const auto *text = std::get_if<QString>(&outcome))
        result.text = *text;
    else
        result.error = std::get<KavriError>(outcome).errorDescription();
    return result;
}

KavriCodes kavriDetectCodes(const QImage &image)
{
    QElapsedTimer timer;
    timer.start();
    const Outcome<QStringList> outcome = RecognitionEngine::detectBarcodesNow(image);
    KavriCodes result;
    result.milliseconds = double(timer.nsecsElapsed()) / 1e6;
    if (const auto *payloads = std::get_if<QStringList>(&outcome))
        result.payloads = *payloads;
    else
        result.error = std::get<KavriError>(outcome).errorDescription();
    return result;
}

} // namespace kavri
