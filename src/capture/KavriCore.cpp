// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "KavriCore.h"

#include <QCoreApplication>

#include "CaptureTexts.h"
#include "RecognizedContent.h"
#include "content/ContentParser.h"
#include "platform/Log.h"
#include "platform/Pasteboard.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

constexpr QStringView usageCategory = u"User";
constexpr QStringView usageAction = u"User - Capture";

} // namespace

KavriCore::KavriCore(Pasteboard &pasteboard, RegionCapturer &capturer, Recognizer &recognizer,
    const CaptureSettings &settings, UsageEventSink &usage, QObject *parent)
    : QObject(parent)
    , m_pasteboard(pasteboard)
    , m_capturer(capturer)
    , m_recognizer(recognizer)
    , m_settings(settings)
    , m_usage(usage)
{ }

void KavriCore::setDelegate(KavriCoreDelegate *delegate)
{
    m_delegate = delegate;
    m_delegateObject = dynamic_cast<QObject *>(delegate);
    m_delegateIsObject = m_delegateObject != nullptr;
}

void KavriCore::setCapturing(bool capturing)
{
    if (m_isCapturing == capturing)
        return;
    m_isCapturing = capturing;
    Q_EMIT capturingChanged(capturing);
}

void KavriCore::clearLastResult()
{
    m_lastRecognizedText.clear();
    m_lastParsedContent.reset();
}

void KavriCore::captureText()
{
    startCapture(&KavriCore::recognizeTextStep);
}

void KavriCore::captureQRCode()
{
    startCapture(&KavriCore::detectBarcodesAndReport);
}

void KavriCore::startCapture(Step step)
{
    if (m_isCapturing)
        return;
    setCapturing(true);
    m_capturer.captureRegion(m_settings.soundEffectsEnabled())
        .then(this,
            [this, step](const Outcome<QImage> &captured) {
                if (const auto *error = std::get_if<KavriError>(&captured))
                    failCapture(*error);
                else
                    (this->*step)(std::get<QImage>(captured));
            })
        .onCanceled(this, [this] { failUnanswered(); });
}

void KavriCore::recognizeTextAndReport(const QImage &image, ErrorHandler onError)
{
    const std::optional<QString> language
        = m_settings.autoDetectLanguage() ? std::nullopt : std::optional(m_settings.selectedLanguage());
    m_recognizer.recognizeText(image, language, m_settings.customWordsList())
        .then(this,
            [this, onError](const Outcome<QString> &recognized) {
                if (const auto *error = std::get_if<KavriError>(&recognized)) {
                    (this->*onError)(*error);
                    return;
                }
                const QString &text = std::get<QString>(recognized);
                setCapturing(false);
                if (text.isEmpty()) {
                    report(CaptureResult::NoTextFound {});
                    return;
                }
                ParsedContent content = RecognizedContent::forText(text);
                m_lastRecognizedText = text;
                m_lastParsedContent = content;
                putOnClipboard(text);
                m_usage.recordEvent(usageCategory.toString(), usageAction.toString(), u"OCR"_s);
                report(CaptureResult::Success { text, std::move(content) });
            })
        .onCanceled(this, [this] { failUnanswered(); });
}

void KavriCore::detectBarcodesAndReport(const QImage &image)
{
    m_recognizer.detectBarcodes(image)
        .then(this,
            [this](const Outcome<QStringList> &detected) {
                if (const auto *error = std::get_if<KavriError>(&detected)) {
                    failCapture(*error);
                    return;
                }
                setCapturing(false);
                if (!handleBarcodePayloads(std::get<QStringList>(detected)))
                    report(CaptureResult::NoQRCodeFound {});
            })
        .onCanceled(this, [this] { failUnanswered(); });
}

void KavriCore::processImportedImage(const QImage &image)
{
    m_recognizer.detectBarcodes(image)
        .then(this,
            [this, image](const Outcome<QStringList> &detected) {
                if (const auto *error = std::get_if<KavriError>(&detected)) {
                    failImport(*error);
                    return;
                }
                if (handleBarcodePayloads(std::get<QStringList>(detected))) {
                    setCapturing(false);
                    return;
                }
                recognizeTextAndReport(image, &KavriCore::failImport);
            })
        .onCanceled(this, [this] { failUnanswered(); });
}

bool KavriCore::handleBarcodePayloads(const QStringList &payloads)
{
    if (payloads.isEmpty())
        return false;
    const QString payload = RecognizedContent::joinedPayloads(payloads);
    m_lastRecognizedText = payload;
    ParsedContent content = ContentParser::parse(payload);
    m_lastParsedContent = content;
    putOnClipboard(content.clipboardText().value_or(payload));
    m_usage.recordEvent(usageCategory.toString(), usageAction.toString(), u"QR"_s);
    report(CaptureResult::QRCodeFound { payload, std::move(content) });
    return true;
}

void KavriCore::processImageFromClipboard()
{
    if (m_isCapturing)
        return;
    const auto read = m_pasteboard.readImage();
    if (const auto *failure = std::get_if<PasteboardImageFailure>(&read)) {
        switch (*failure) {
        case PasteboardImageFailure::empty:
            report(CaptureResult::Error { CaptureTexts::clipboardEmpty.toString() });
            return;
        case PasteboardImageFailure::noImage:
            report(CaptureResult::Error { CaptureTexts::clipboardHasNoImage.toString() });
            return;
        case PasteboardImageFailure::unreadable:
            report(CaptureResult::Error { CaptureTexts::clipboardImageUnreadable.toString() });
            return;
        }
    }
    setCapturing(true);
    processImportedImage(std::get<QImage>(read));
}

void KavriCore::processImage(const QImage &image)
{
    if (m_isCapturing)
        return;
    setCapturing(true);
    processImportedImage(image);
}

void KavriCore::putOnClipboard(const QString &text)
{
    m_pasteboard.clearContents();
    m_pasteboard.setString(text);
}

void KavriCore::failCapture(const KavriError &error)
{
    setCapturing(false);
    // Info, not debug: a user's log must say why a capture failed.
    if (error.kind() != KavriError::Kind::cancelled)
        qCInfo(lcKavri, "Capture failed: %ls", qUtf16Printable(error.errorDescription()));
    switch (error.kind()) {
    case KavriError::Kind::permissionDenied:
        report(CaptureResult::PermissionDenied {});
        break;
    case KavriError::Kind::cancelled:
        report(CaptureResult::Cancelled {});
        break;
    default:
        report(CaptureResult::Error { error.errorDescription() });
        break;
    }
}

void KavriCore::failImport(const KavriError &error)
{
    setCapturing(false);
    qCInfo(lcKavri, "Import failed: %ls", qUtf16Printable(error.errorDescription()));
    report(CaptureResult::Error { error.errorDescription() });
}

void KavriCore::failUnanswered()
{
    failImport(KavriError::captureFailed());
}

void KavriCore::report(const CaptureResult &result)
{
    if (m_delegateIsObject && !m_delegateObject)
        return; // the delegate has gone away
    if (m_delegate)
        m_delegate->handleCaptureResult(result);
}

} // namespace kavri
