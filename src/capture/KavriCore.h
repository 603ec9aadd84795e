// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QObject>
#include <QPointer>

#include "CaptureResult.h"
#include "CaptureSeams.h"

namespace kavri {

class Pasteboard;

// The capture service: takes one request (text or code from a screen region, or an imported
// image) from trigger to result, and reports exactly one CaptureResult per accepted request to
// its delegate. Requests made while one runs are dropped without a report. Puts the result text
// on the clipboard and keeps the last result. Main thread only.
class KavriCore : public QObject
{
    Q_OBJECT

public:
    KavriCore(Pasteboard &pasteboard, RegionCapturer &capturer, Recognizer &recognizer, const CaptureSettings &settings,
        UsageEventSink &usage, QObject *parent = nullptr);

    // The process-wide service, wired to the real screen capture, clipboard and settings (by the
    // application, which knows them all).
    static KavriCore &shared();

    // Held weakly when the delegate is a QObject.
    void setDelegate(KavriCoreDelegate *delegate);

    bool isCapturing() const { return m_isCapturing; }
    const QString &lastRecognizedText() const { return m_lastRecognizedText; }
    const std::optional<ParsedContent> &lastParsedContent() const { return m_lastParsedContent; }
    void clearLastResult();

    void captureText();
    void captureQRCode();
    void processImageFromClipboard();
    void processImage(const QImage &image);

Q_SIGNALS:
    // A capture or import started or ended.
    void capturingChanged(bool isCapturing);

private:
    void setCapturing(bool capturing);
    using Step = void (KavriCore::*)(const QImage &);
    using ErrorHandler = void (KavriCore::*)(const KavriError &);

    void startCapture(Step step);
    void recognizeTextStep(const QImage &image) { recognizeTextAndReport(image, &KavriCore::failCapture); }
    void recognizeTextAndReport(const QImage &image, ErrorHandler onError);
    void detectBarcodesAndReport(const QImage &image);
    void processImportedImage(const QImage &image);
    bool handleBarcodePayloads(const QStringList &payloads);
    void putOnClipboard(const QString &text);

    // Screen captures turn cancellation and missing permission into their own results.
    void failCapture(const KavriError &error);
    // Imports report every error as its message.
    void failImport(const KavriError &error);
    // A promise broken without an answer (its owner went away); still one report.
    void failUnanswered();
    void report(const CaptureResult &result);

    Pasteboard &m_pasteboard;
    RegionCapturer &m_capturer;
    Recognizer &m_recognizer;
    const CaptureSettings &m_settings;
    UsageEventSink &m_usage;

    KavriCoreDelegate *m_delegate = nullptr;
    QPointer<QObject> m_delegateObject;
    bool m_delegateIsObject = false;

    bool m_isCapturing = false;
    QString m_lastRecognizedText;
    std::optional<ParsedContent> m_lastParsedContent;
};

} // namespace kavri
