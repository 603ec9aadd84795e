// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

#include <QObject>
#include <QTimer>

class QThreadPool;

#include "CaptureSeams.h"

namespace kavri {

// Text recognition (Tesseract, LSTM) and code detection (ZXing: QR, Aztec, Data Matrix, PDF417)
// over one image. Every failure is a recognitionFailed error: a missing language, an empty
// image, a recognition that runs past its deadline.
//
// Each thread keeps its own warm Tesseract engine per (languages, custom words), created on first
// use; an engine is never used by two threads at once. The engines are let go a while after the
// last recognition, and the memory freed goes back to the system: a series of captures is read
// by warm engines, and between series Kavri stays small.
class RecognitionEngine : public QObject, public Recognizer
{
    Q_OBJECT

public:
    explicit RecognitionEngine(QObject *parent = nullptr);

    // How long engines stay warm after a recognition (20 s).
    void setEnginesKeptWarm(std::chrono::milliseconds interval) { m_releaseEngines.setInterval(interval); }

    // Run on the thread pool. The text's future finishes on this object's thread, the codes'
    // on the pool.
    QFuture<Outcome<QString>> recognizeText(
        const QImage &image, const std::optional<QString> &language, const QStringList &customWords) override;
    QFuture<Outcome<QStringList>> detectBarcodes(const QImage &image) override;

    // The same, on the calling thread (worker threads of the command line and the benchmark).
    // \a language is a settings code ("en-US"); none detects the language. Lines are joined by
    // "\n" in reading order; an image without text gives "".
    static Outcome<QString> recognizeTextNow(
        const QImage &image, const std::optional<QString> &language, const QStringList &customWords);
    // Every payload in detection order, duplicates of distinct symbols kept.
    static Outcome<QStringList> detectBarcodesNow(const QImage &image);

    // The threads recognition runs on, as many as cores. They never expire, so that their
    // engines can stay warm between captures.
    static QThreadPool *threadPool();

private:
    QTimer m_releaseEngines;
};

} // namespace kavri
