// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The capture service over scripted capture and recognition, with the real (offscreen)
// clipboard: one report per accepted request, the busy rule, what lands on the clipboard, and
// what the last result holds after each outcome.
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "capture/KavriCore.h"
#include "platform/Pasteboard.h"
#include "support/CaptureFakes.h"

using namespace Qt::StringLiterals;
using namespace kavri;
using namespace kavri::test;

namespace {

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

QImage someImage()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QString clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

// One line per result, so that a table row can name the whole of it.
QString describe(const CaptureResult &result)
{
    if (const auto *success = result.as<CaptureResult::Success>())
        return u"success "_s + success->parsedContent.typeName() + u": "_s + success->text;
    if (const auto *found = result.as<CaptureResult::QRCodeFound>())
        return u"code "_s + found->parsedContent.typeName() + u": "_s + found->payload;
    if (const auto *error = result.as<CaptureResult::Error>())
        return u"error: "_s + error->message;
    if (result.is<CaptureResult::Cancelled>())
        return u"cancelled"_s;
    if (result.is<CaptureResult::PermissionDenied>())
        return u"permission denied"_s;
    return result.is<CaptureResult::NoTextFound>() ? u"no text"_s : u"no code"_s;
}

} // namespace

class TestKavriCore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QGuiApplication::clipboard()->clear(); }

    void requestsWhileBusyAreDroppedUnheard()
    {
        Rig rig;
        rig.core.captureText();
        rig.core.captureText();
        rig.core.captureQRCode();
        QGuiApplication::clipboard()->setImage(someImage());
        rig.core.processImageFromClipboard();
        rig.core.processImage(someImage());
        QCOMPARE(rig.capturer.soundRequests.size(), 1);
        QCOMPARE(rig.recognizer.barcodeCallCount, 0);

        QVERIFY(rig.capturer.calls.finish(KavriError::cancelled()));
        QTRY_COMPARE(rig.delegate.results.size(), size_t(1));
        QCOMPARE(describe(rig.delegate.results[0]), u"cancelled"_s);
        QVERIFY(!rig.core.isCapturing());
        QTest::qWait(20);
        QCOMPARE(rig.delegate.results.size(), size_t(1));
    }

    void capturesReachTheClipboard_data()
    {
        QTest::addColumn<bool>("codes");
        QTest::addColumn<QStringList>("recognized");
        QTest::addColumn<bool>("autoDetect");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("text with a link, language detected")
            << false << QStringList { u"Docs: example.com/start"_s } << true
            << u"success URLContent: Docs: example.com/start"_s << u"Docs: example.com/start"_s;
        QTest::newRow("a contact card read as text stays text, chosen language")
            << false << QStringList { u"BEGIN:VCARD\nFN:Ann\nEND:VCARD"_s } << false
            << u"success PlainTextContent: BEGIN:VCARD\nFN:Ann\nEND:VCARD"_s << u"BEGIN:VCARD\nFN:Ann\nEND:VCARD"_s;
        QTest::newRow("Wi-Fi code: the password, not the payload")
            << true << QStringList { u"WIFI:S:Cafe;T:WPA;P:s3cret;;"_s } << true
            << u"code WiFiContent: WIFI:S:Cafe;T:WPA;P:s3cret;;"_s << u"s3cret"_s;
        QTest::newRow("two codes, one text")
            << true << QStringList { u"https://a.example"_s, u"tel:123"_s } << true
            << u"code URLContent: https://a.example\ntel:123"_s << u"https://a.example\ntel:123"_s;
    }
    void capturesReachTheClipboard()
    {
        QFETCH(bool, codes);
        QFETCH(QStringList, recognized);
        QFETCH(bool, autoDetect);
        QFETCH(QString, expected);
        QFETCH(QString, clipboard);
        Rig rig;
        rig.settings.autoDetect = autoDetect;
        rig.settings.language = u"de-DE"_s;
        rig.settings.sound = false;
        rig.settings.customWords = { u"Kavri"_s };
        rig.recognizer.barcodes = Outcome<QStringList>(recognized);
        rig.recognizer.text = Outcome<QString>(recognized.join(u'\n'));

        codes ? rig.core.captureQRCode() : rig.core.captureText();
        QVERIFY(rig.capturer.calls.finish(someImage()));
        QTRY_COMPARE(rig.delegate.results.size(), size_t(1));
        QCOMPARE(describe(rig.delegate.results[0]), expected);
        QCOMPARE(clipboardText(), clipboard);
        QCOMPARE(rig.core.lastRecognizedText(), recognized.join(u'\n'));
        QCOMPARE(rig.capturer.soundRequests, QList<bool> { false });
        QCOMPARE(rig.usage.events, QStringList { u"User|User - Capture|"_s + (codes ? u"QR"_s : u"OCR"_s) });
        if (codes) {
            QVERIFY(rig.recognizer.languages.isEmpty());
        } else {
            const std::optional<QString> language = autoDetect ? std::nullopt : std::optional(u"de-DE"_s);
            QCOMPARE(rig.recognizer.languages, QList<std::optional<QString>> { language });
            QCOMPARE(rig.recognizer.customWordLists, QList<QStringList> { { u"Kavri"_s } });
        }
    }

    void captureFailuresLeaveTheLastResult_data()
    {
        QTest::addColumn<std::optional<KavriError>>("captureError");
        QTest::addColumn<std::optional<KavriError>>("recognitionError");
        QTest::addColumn<QString>("expected");
        const std::optional<KavriError> none;
        QTest::newRow("permission") << std::optional(KavriError::permissionDenied()) << none << u"permission denied"_s;
        QTest::newRow("dismissed") << std::optional(KavriError::cancelled()) << none << u"cancelled"_s;
        QTest::newRow("tool failed") << std::optional(KavriError::captureFailed()) << none
                                     << u"error: Failed to capture the screen region"_s;
        QTest::newRow("recognizer failed") << none << std::optional(KavriError::recognitionFailed(u"engine broke"_s))
                                           << u"error: Recognition failed: engine broke"_s;
    }
    void captureFailuresLeaveTheLastResult()
    {
        QFETCH(std::optional<KavriError>, captureError);
        QFETCH(std::optional<KavriError>, recognitionError);
        QFETCH(QString, expected);
        Rig rig;
        rig.recognizer.text = Outcome<QString>(u"earlier"_s);
        rig.core.captureText();
        QVERIFY(rig.capturer.calls.finish(someImage()));
        QTRY_COMPARE(rig.delegate.results.size(), size_t(1));
        if (recognitionError)
            rig.recognizer.text = Outcome<QString>(*recognitionError);
        // At info level, which release builds keep: the user's log says why.
        if (expected.startsWith(u"error: "_s))
            QTest::ignoreMessage(QtInfoMsg, qPrintable(u"Capture failed: "_s + expected.mid(7)));

        rig.core.captureText();
        QVERIFY(rig.capturer.calls.finish(captureError ? Outcome<QImage>(*captureError) : someImage()));
        QTRY_COMPARE(rig.delegate.results.size(), size_t(2));
        QCOMPARE(describe(rig.delegate.results[1]), expected);
        QCOMPARE(rig.core.lastRecognizedText(), u"earlier"_s);
        QCOMPARE(clipboardText(), u"earlier"_s);
    }

    void emptyRecognitionLeavesTheCapturedImage()
    {
        Rig rig;
        rig.recognizer.text = Outcome<QString>(QString());
        rig.core.captureText();
        rig.pasteboard.setImage(someImage()); // as the region capture leaves it
        QVERIFY(rig.capturer.calls.finish(someImage()));
        QTRY_COMPARE(rig.delegate.results.size(), size_t(1));
        QCOMPARE(describe(rig.delegate.results[0]), u"no text"_s);
        QVERIFY(std::holds_alternative<QImage>(rig.pasteboard.readImage()));
    }

    void importFromClipboard_data()
    {
        QTest::addColumn<QString>("clipboard"); // "", "text" or "image"
        QTest::addColumn<Outcome<QStringList>>("payloads");
        QTest::addColumn<Outcome<QString>>("text");
        QTest::addColumn<QString>("expected");
        const Outcome<QStringList> none = QStringList();
        const Outcome<QString> words = u"words"_s;
        QTest::newRow("empty clipboard") << QString() << none << words << u"error: Clipboard is empty"_s;
        QTest::newRow("text only") << u"text"_s << none << words << u"error: Clipboard does not contain an image"_s;
        QTest::newRow("image with a code: no text recognition")
            << u"image"_s << Outcome<QStringList>(QStringList { u"tel:1"_s }) << words << u"code PhoneContent: tel:1"_s;
        QTest::newRow("image with text") << u"image"_s << none << words << u"success PlainTextContent: words"_s;
        // An import reports no capture outcomes, only errors.
        QTest::newRow("code reader cancelled") << u"image"_s << Outcome<QStringList>(KavriError::cancelled()) << words
                                               << u"error: Screen capture was cancelled"_s;
        QTest::newRow("text reader denied") << u"image"_s << none << Outcome<QString>(KavriError::permissionDenied())
                                            << u"error: "_s + KavriError::permissionDenied().errorDescription();
    }
    void importFromClipboard()
    {
        QFETCH(QString, clipboard);
        QFETCH(Outcome<QStringList>, payloads);
        QFETCH(Outcome<QString>, text);
        QFETCH(QString, expected);
        Rig rig;
        if (clipboard == u"text")
            QGuiApplication::clipboard()->setText(u"just text"_s);
        else if (clipboard == u"image")
            QGuiApplication::clipboard()->setImage(someImage());
        rig.recognizer.barcodes = payloads;
        rig.recognizer.text = text;

        rig.core.processImageFromClipboard();
        QTRY_COMPARE(rig.delegate.results.size(), size_t(1));
        QCOMPARE(describe(rig.delegate.results[0]), expected);
        QCOMPARE(rig.recognizer.barcodeCallCount, clipboard == u"image" ? 1 : 0);
        if (expected.startsWith(u"code"))
            QVERIFY(rig.recognizer.languages.isEmpty());
        QVERIFY(!rig.core.isCapturing());
        QVERIFY(rig.capturer.soundRequests.isEmpty());
    }

    void goneDelegateHearsNothing()
    {
        Rig rig;
        auto *delegate = new RecordingDelegate;
        rig.core.setDelegate(delegate);
        rig.recognizer.text = Outcome<QString>(u"text"_s);
        rig.core.captureText();
        delete delegate;
        QVERIFY(rig.capturer.calls.finish(someImage()));
        QTRY_COMPARE(rig.core.lastRecognizedText(), u"text"_s);
    }
};

QTEST_MAIN(TestKavriCore)
#include "tst_kavricore.moc"
