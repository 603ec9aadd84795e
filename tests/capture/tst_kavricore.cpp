// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The capture service over scripted capture and recognition, with the real (offscreen)
// clipboard: one report per accepted request, the busy rule, what lands on the clipboard, and
// what the last result holds after each outcome.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

#include "capture/KavriCore.h"
#include "platform/Pasteboard.h"
#include "support/CaptureFakes.h"

using namespace Qt::StringLiterals;
using namespace kavri;
using namespace kavri::test;

class TestKavriCore : public QObject
{
    Q_OBJECT

private:
    struct Rig
    {
        Pasteboard pasteboard { QGuiApplication::clipboard() };
        ScriptedCapturer capturer;
        ScriptedRecognizer recognizer;
        FakeCaptureSettings settings;
        RecordingUsageSink usage;
        RecordingDelegate delegate;
        KavriCore core { pasteboard, capturer, recognizer, settings, usage };
        Rig() { core.setDelegate(&delegate); }
    };

    static QImage someImage()
    {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }
    static QString clipboardText() { return QGuiApplication::clipboard()->text(); }

    // Runs a successful text capture so that there is a last result to lose.
    static void captureTextSuccessfully(Rig &rig, const QString &text)
    {
        rig.recognizer.text = Outcome<QString>(text);
        rig.core.captureText();
        QVERIFY(rig.capturer.calls.finish(someImage()));
        QTRY_VERIFY(!rig.core.isCapturing());
        rig.delegate.results.clear();
        rig.usage.events.clear();
    }

private Q_SLOTS:
    void init() { QGuiApplication::clipboard()->clear(); }

    void requestsWhileBusyAreDroppedUnheard();
    void textCapture_data();
    void textCapture();
    void captureFailuresLeaveTheLastResult_data();
    void captureFailuresLeaveTheLastResult();
    void emptyRecognitionLeavesTheCapturedImage();
    void codeCapture_data();
    void codeCapture();
    void importFromClipboard_data();
    void importFromClipboard();
    void importNeverReportsCaptureOutcomes();
    void goneDelegateHearsNothing();
    void errorTexts();
};

void TestKavriCore::requestsWhileBusyAreDroppedUnheard()
{
    Rig rig;
    rig.core.captureText();
    rig.core.captureText();
    rig.core.captureQRCode();
    QGuiApplication::clipboard()->setImage(someImage());
    rig.core.processImageFromClipboard();
    rig.core.processImage(someImage());
    QVERIFY(rig.core.isCapturing());
    QCOMPARE(rig.capturer.soundRequests.size(), 1);
    QCOMPARE(rig.recognizer.barcodeCallCount, 0);

    QVERIFY(rig.capturer.calls.finish(KavriError::cancelled()));
    QTRY_COMPARE(rig.delegate.results.size(), size_t(1));
    QVERIFY(rig.delegate.results[0].is<CaptureResult::Cancelled>());
    QVERIFY(!rig.core.isCapturing());
    QTest::qWait(20);
    QCOMPARE(rig.delegate.results.size(), size_t(1));
}

void TestKavriCore::textCapture_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("autoDetect");
    QTest::addColumn<std::optional<QString>>("language");
    QTest::newRow("link in the text") << u"Docs: example.com/start\nthanks"_s << u"URLContent"_s << true
                                      << std::optional<QString>();
    QTest::newRow("plain text, chosen language")
        << u"Hallo Welt"_s << u"PlainTextContent"_s << false << std::optional<QString>(u"de-DE"_s);
    QTest::newRow("a contact card read as text stays text")
        << u"BEGIN:VCARD\nFN:Ann\nEND:VCARD"_s << u"PlainTextContent"_s << true << std::optional<QString>();
}

void TestKavriCore::textCapture()
{
    QFETCH(QString, text);
    QFETCH(QString, type);
    QFETCH(bool, autoDetect);
    QFETCH(std::optional<QString>, language);
    Rig rig;
    rig.settings.autoDetect = autoDetect;
    rig.settings.language = u"de-DE"_s;
    rig.settings.sound = false;
    rig.settings.customWords = { u"Kavri"_s };
    rig.recognizer.text = Outcome<QString>(text);

    rig.core.captureText();
    QVERIFY(rig.capturer.calls.finish(someImage()));
    QTRY_COMPARE(rig.delegate.results.size(), size_t(1));

    const auto *success = rig.delegate.results[0].as<CaptureResult::Success>();
    QVERIFY(success);
    QCOMPARE(success->text, text);
    QCOMPARE(success->parsedContent.typeName(), type);
    QCOMPARE(rig.capturer.soundRequests, QList<bool> { false });
    QCOMPARE(rig.recognizer.languages, QList<std::optional<QString>> { language });
    QCOMPARE(rig.recognizer.customWordLists, QList<QStringList> { { u"Kavri"_s } });
    QCOMPARE(clipboardText(), text);
    QCOMPARE(rig.core.lastRecognizedText(), text);
    QCOMPARE(rig.core.lastParsedContent()->typeName(), type);
    QCOMPARE(rig.usage.events, QStringList { u"User|User - Capture|OCR"_s });
    QVERIFY(!rig.core.isCapturing());
}

void TestKavriCore::captureFailuresLeaveTheLastResult_data()
{
    QTest::addColumn<std::optional<KavriError>>("captureError");
    QTest::addColumn<std::optional<KavriError>>("recognitionError");
    QTest::addColumn<QString>("expected"); // a result case, or the error text
    QTest::newRow("permission") << std::optional(KavriError::permissionDenied()) << std::optional<KavriError>()
                                << u"permissionDenied"_s;
    QTest::newRow("dismissed") << std::optional(KavriError::cancelled()) << std::optional<KavriError>()
                               << u"cancelled"_s;
    QTest::newRow("no image") << std::optional(KavriError::noImageInPasteboard()) << std::optional<KavriError>()
                              << u"No image found in clipboard after capture"_s;
    QTest::newRow("tool failed") << std::optional(KavriError::captureFailed()) << std::optional<KavriError>()
                                 << u"Failed to capture the screen region"_s;
    QTest::newRow("recognizer failed") << std::optional<KavriError>()
                                       << std::optional(KavriError::recognitionFailed(u"engine broke"_s))
                                       << u"Recognition failed: engine broke"_s;
}

void TestKavriCore::captureFailuresLeaveTheLastResult()
{
    QFETCH(std::optional<KavriError>, captureError);
    QFETCH(std::optional<KavriError>, recognitionError);
    QFETCH(QString, expected);
    Rig rig;
    captureTextSuccessfully(rig, u"earlier"_s);
    if (recognitionError)
        rig.recognizer.text = Outcome<QString>(*recognitionError);

    rig.core.captureText();
    QVERIFY(rig.capturer.calls.finish(captureError ? Outcome<QImage>(*captureError) : Outcome<QImage>(someImage())));
    QTRY_COMPARE(rig.delegate.results.size(), size_t(1));

    const CaptureResult &result = rig.delegate.results[0];
    if (expected == u"permissionDenied")
        QVERIFY(result.is<CaptureResult::PermissionDenied>());
    else if (expected == u"cancelled")
        QVERIFY(result.is<CaptureResult::Cancelled>());
    else
        QCOMPARE(result.as<CaptureResult::Error>()->message, expected);
    QVERIFY(!rig.core.isCapturing());
    QCOMPARE(rig.core.lastRecognizedText(), u"earlier"_s);
    QCOMPARE(rig.core.lastParsedContent()->rawText(), u"earlier"_s);
    QCOMPARE(clipboardText(), u"earlier"_s);
    QVERIFY(rig.usage.events.isEmpty());
}

void TestKavriCore::emptyRecognitionLeavesTheCapturedImage()
{
    Rig rig;
    rig.recognizer.text = Outcome<QString>(QString());
    rig.core.captureText();
    rig.pasteboard.setImage(someImage()); // as the region capture leaves it
    QVERIFY(rig.capturer.calls.finish(someImage()));
    QTRY_COMPARE(rig.delegate.results.size(), size_t(1));
    QVERIFY(rig.delegate.results[0].is<CaptureResult::NoTextFound>());
    QVERIFY(std::holds_alternative<QImage>(rig.pasteboard.readImage()));
    QVERIFY(rig.core.lastRecognizedText().isEmpty());
    QVERIFY(!rig.core.lastParsedContent());
}

void TestKavriCore::codeCapture_data()
{
    QTest::addColumn<QStringList>("payloads");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("clipboard");
    QTest::newRow("Wi-Fi: the password, not the payload")
        << QStringList { u"WIFI:S:Cafe;T:WPA;P:s3cret;;"_s } << u"WiFiContent"_s << u"s3cret"_s;
    QTest::newRow("plain payload") << QStringList { u"hello"_s } << u"PlainTextContent"_s << u"hello"_s;
    QTest::newRow("two codes, one text") << QStringList { u"https://a.example"_s, u"tel:123"_s } << u"URLContent"_s
                                         << u"https://a.example\ntel:123"_s;
}

void TestKavriCore::codeCapture()
{
    QFETCH(QStringList, payloads);
    QFETCH(QString, type);
    QFETCH(QString, clipboard);
    Rig rig;
    rig.recognizer.barcodes = Outcome<QStringList>(payloads);
    rig.core.captureQRCode();
    QVERIFY(rig.capturer.calls.finish(someImage()));
    QTRY_COMPARE(rig.delegate.results.size(), size_t(1));

    const auto *found = rig.delegate.results[0].as<CaptureResult::QRCodeFound>();
    QVERIFY(found);
    QCOMPARE(found->payload, payloads.join(u'\n'));
    QCOMPARE(found->parsedContent.typeName(), type);
    QCOMPARE(clipboardText(), clipboard);
    QCOMPARE(rig.core.lastRecognizedText(), found->payload);
    QCOMPARE(rig.usage.events, QStringList { u"User|User - Capture|QR"_s });
    QVERIFY(rig.recognizer.languages.isEmpty());
}

void TestKavriCore::importFromClipboard_data()
{
    QTest::addColumn<QString>("clipboard"); // "", "text" or "image"
    QTest::addColumn<QStringList>("payloads");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty clipboard") << QString() << QStringList() << QString() << u"Clipboard is empty"_s;
    QTest::newRow("text only") << u"text"_s << QStringList() << QString() << u"Clipboard does not contain an image"_s;
    QTest::newRow("image with a code: no text recognition")
        << u"image"_s << QStringList { u"tel:1"_s } << u"unused"_s << u"qrCodeFound"_s;
    QTest::newRow("image with text") << u"image"_s << QStringList() << u"words"_s << u"success"_s;
    QTest::newRow("image with neither") << u"image"_s << QStringList() << QString() << u"noTextFound"_s;
}

void TestKavriCore::importFromClipboard()
{
    QFETCH(QString, clipboard);
    QFETCH(QStringList, payloads);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    Rig rig;
    if (clipboard == u"text")
        QGuiApplication::clipboard()->setText(u"just text"_s);
    else if (clipboard == u"image")
        QGuiApplication::clipboard()->setImage(someImage());
    rig.recognizer.barcodes = Outcome<QStringList>(payloads);
    rig.recognizer.text = Outcome<QString>(text);

    rig.core.processImageFromClipboard();
    QTRY_COMPARE(rig.delegate.results.size(), size_t(1));
    const CaptureResult &result = rig.delegate.results[0];
    if (expected == u"qrCodeFound") {
        QVERIFY(result.is<CaptureResult::QRCodeFound>());
        QVERIFY(rig.recognizer.languages.isEmpty());
    } else if (expected == u"success") {
        QCOMPARE(result.as<CaptureResult::Success>()->text, text);
    } else if (expected == u"noTextFound") {
        QVERIFY(result.is<CaptureResult::NoTextFound>());
    } else {
        QCOMPARE(result.as<CaptureResult::Error>()->message, expected);
        QCOMPARE(rig.recognizer.barcodeCallCount, 0);
    }
    QVERIFY(!rig.core.isCapturing());
    QCOMPARE(rig.capturer.soundRequests.size(), 0);
}

void TestKavriCore::importNeverReportsCaptureOutcomes()
{
    Rig rig;
    rig.recognizer.barcodes = Outcome<QStringList>(KavriError::cancelled());
    rig.core.processImage(someImage());
    QTRY_COMPARE(rig.delegate.results.size(), size_t(1));
    QCOMPARE(rig.delegate.results[0].as<CaptureResult::Error>()->message, u"Screen capture was cancelled"_s);

    rig.recognizer.barcodes = Outcome<QStringList>(QStringList());
    rig.recognizer.text = Outcome<QString>(KavriError::permissionDenied());
    rig.core.processImage(someImage());
    QTRY_COMPARE(rig.delegate.results.size(), size_t(2));
    QVERIFY(rig.delegate.results[1].as<CaptureResult::Error>()->message.startsWith(u"Screen recording permission"));
    QVERIFY(!rig.core.isCapturing());
}

void TestKavriCore::goneDelegateHearsNothing()
{
    Rig rig;
    auto *delegate = new RecordingDelegate;
    rig.core.setDelegate(delegate);
    rig.recognizer.text = Outcome<QString>(u"text"_s);
    rig.core.captureText();
    delete delegate;
    QVERIFY(rig.capturer.calls.finish(someImage()));
    QTRY_VERIFY(!rig.core.isCapturing());
    QCOMPARE(rig.core.lastRecognizedText(), u"text"_s);
}

void TestKavriCore::errorTexts()
{
    QCOMPARE(KavriError::unexpectedlyFoundNil(QString()).errorDescription(), u"Unexpectedly found nil"_s);
    QCOMPARE(KavriError::unexpectedlyFoundNil(u"image"_s).errorDescription(), u"Unexpectedly found nil: image"_s);
    QCOMPARE(KavriError::generic(u"abc"_s).errorDescription(), u"abc"_s);
    QCOMPARE(KavriError::recognitionFailed(u"x"_s).errorDescription(), u"Recognition failed: x"_s);
    QCOMPARE(KavriError::permissionDenied().errorDescription(),
        u"Screen recording permission is required. Please enable it in your desktop's privacy settings for "
        u"screenshots"_s);
}

QTEST_MAIN(TestKavriCore)
#include "tst_kavricore.moc"
