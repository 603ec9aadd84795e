// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QFuture>
#include <QImage>
#include <QStringList>

#include "Outcome.h"

// What the capture service needs from the parts around it. Each is small so that tests can
// script it and later parts (recognition, settings, statistics) can stand behind it.
namespace kavri {

// Lets the user pick a screen region and delivers it as an image.
class RegionCapturer
{
public:
    virtual ~RegionCapturer() = default;
    // Called on the main thread; the future finishes there too.
    virtual QFuture<Outcome<QImage>> captureRegion(bool playSound) = 0;
};

// Text recognition and code detection over one image. Failures are recognitionFailed errors.
class Recognizer
{
public:
    virtual ~Recognizer() = default;
    // \a language none: detect it. The text may be empty.
    virtual QFuture<Outcome<QString>> recognizeText(
        const QImage &image, const std::optional<QString> &language, const QStringList &customWords)
        = 0;
    // Every payload decoded, in the order found; possibly none.
    virtual QFuture<Outcome<QStringList>> detectBarcodes(const QImage &image) = 0;
};

// The settings a capture reads, afresh for every capture.
class CaptureSettings
{
public:
    virtual ~CaptureSettings() = default;
    virtual bool soundEffectsEnabled() const = 0;
    virtual bool autoDetectLanguage() const = 0;
    virtual QString selectedLanguage() const = 0;
    virtual QStringList customWordsList() const = 0;
};

// Anonymous usage events; the sink decides whether an event may be sent at all.
class UsageEventSink
{
public:
    virtual ~UsageEventSink() = default;
    virtual void recordEvent(const QString &category, const QString &action, const QString &name) = 0;
};

} // namespace kavri
