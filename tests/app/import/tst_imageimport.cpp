// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Imports through the real capture service, the real clipboard, Tesseract and ZXing: what the
// clipboard holds decides the result; files are read or reported by name; a running capture
// drops any import; screenshots above Qt's default allocation limit still arrive whole.
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include "app/import/ImportMenuHelper.h"
#include "capture/KavriCore.h"
#include "capture/RecognitionEngine.h"
#include "platform/ImageLimits.h"
#include "platform/Pasteboard.h"
#include "support/CaptureFakes.h"
#include "support/CaptureServiceRig.h"
#include "support/TestImages.h"

using namespace Qt::StringLiterals;
using namespace kavri;
using namespace kavri::test;

class TestImageImport : public QObject
{
    Q_OBJECT

private:
    struct Rig
    {
        Pasteboard pasteboard { QGuiApplication::clipboard() };
        ScriptedCapturer capturer;
        RecognitionEngine recognizer;
        FakeCaptureSettings settings;
        RecordingUsageSink usage;
        KavriCore core { pasteboard, capturer, recognizer, settings, usage };
        RecordingDelegate delegate;
        std::vector<CaptureResult> reported;
        QString chosenFile;
        ImportMenuHelper helper { core, [this](const CaptureResult &result) { reported.push_back(result); },
            [this](const std::function<void(const QString &)> &chosen) { chosen(chosenFile); } };

        Rig() { core.setDelegate(&delegate); }

        const CaptureResult &nextResult()
        {
            [&] { QTRY_COMPARE_WITH_TIMEOUT(delegate.results.size(), size_t(1), 20000); }();
            return delegate.results.front();
        }
    };

    static QString errorOf(const CaptureResult &result)
    {
        return result.is<CaptureResult::Error>() ? result.as<CaptureResult::Error>()->message : QString();
    }

    // A 40-megapixel screenshot as PNG: 160 MB decoded, over Qt's default limit of 128 MB.
    static const QByteArray &largeScreenshotPng()
    {
        static const QByteArray png = [] {
            QImage image(8000, 5000, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter(&image).drawImage(200, 200, renderText({ u"Forty megapixels"_s }, 120));
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            // Fast compression: the size is the point, not the file.
            image.save(&buffer, "PNG", 80);
            return bytes;
        }();
        return png;
    }

private Q_SLOTS:
    void initTestCase()
    {
        // As main() does for every mode.
        ImageLimits::allowLargeImages();
    }

    void theMenuOffersClipboardAndFile()
    {
        Rig rig;
        QStringList titles;
        for (const QAction *action : rig.helper.menu()->actions())
            titles.append(action->text());
        QCOMPARE(titles, QStringList({ u"Import from Clipboard"_s, u"Import from File\u2026"_s }));
    }

    void theClipboardDecidesTheResult_data()
    {
        QTest::addColumn<int>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << 0 << u"error:Clipboard is empty"_s;
        QTest::newRow("text only") << 1 << u"error:Clipboard does not contain an image"_s;
        QTest::newRow("a code") << 2 << u"code:https://example.org/import"_s;
        QTest::newRow("text") << 3 << u"text:Imported from the clipboard"_s;
    }

    void theClipboardDecidesTheResult()
    {
        QFETCH(int, content);
        QFETCH(QString, expected);
        Rig rig;
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        if (content == 1)
            clipboard->setText(u"just words"_s);
        else if (content == 2)
            clipboard->setImage(renderCode(ZXing::BarcodeFormat::QRCode, u"https://example.org/import"_s, 4));
        else if (content == 3)
            clipboard->setImage(renderText({ u"Imported from the clipboard"_s }, 28));

        rig.helper.menu()->actions().first()->trigger();
        const CaptureResult &result = rig.nextResult();
        QString actual = u"error:"_s + errorOf(result);
        if (const auto *code = result.as<CaptureResult::QRCodeFound>())
            actual = u"code:"_s + code->payload;
        else if (const auto *text = result.as<CaptureResult::Success>())
            actual = u"text:"_s + text->text.trimmed();
        QCOMPARE(actual, expected);
    }

    void filesAreReadOrReportedByName()
    {
        QTemporaryDir dir;
        Rig rig;
        rig.chosenFile = dir.filePath(u"sign.png"_s);
        QVERIFY(renderText({ u"Read from a file"_s }, 28).save(rig.chosenFile));
        rig.helper.menu()->actions().last()->trigger();
        const auto *success = rig.nextResult().as<CaptureResult::Success>();
        QVERIFY(success);
        QCOMPARE(success->text.trimmed(), u"Read from a file"_s);

        QFile broken(dir.filePath(u"broken.png"_s));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("\x89PNG\r\n\x1a\n not really");
        broken.close();
        rig.helper.importFile(broken.fileName());
        rig.helper.importFile(dir.filePath(u"missing.jpg"_s));
        QCOMPARE(rig.reported.size(), size_t(2));
        QVERIFY(errorOf(rig.reported[0]).contains(u"\u201cbroken.png\u201d"_s));
        QVERIFY(errorOf(rig.reported[1]).contains(u"\u201cmissing.jpg\u201d"_s));
        QCOMPARE(rig.delegate.results.size(), size_t(1));
    }

    void aRunningCaptureDropsImports()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(u"code.png"_s);
        QVERIFY(renderCode(ZXing::BarcodeFormat::QRCode, u"dropped"_s, 4).save(file));
        QGuiApplication::clipboard()->setText(u"left alone"_s);
        Rig rig;
        rig.core.captureText();
        rig.helper.importFromClipboard();
        rig.helper.importFile(file);
        QVERIFY(rig.capturer.calls.finish(Outcome<QImage>(KavriError::cancelled())));
        QTRY_VERIFY(!rig.core.isCapturing());
        QCOMPARE(rig.delegate.results.size(), size_t(1));
        QVERIFY(rig.delegate.results.front().is<CaptureResult::Cancelled>());
        QVERIFY(rig.reported.empty());
        QCOMPARE(QGuiApplication::clipboard()->text(), u"left alone"_s);
    }

    void largeImagesReachTheRecognizer_data()
    {
        QTest::addColumn<bool>("fromClipboard");
        QTest::newRow("file") << false;
        QTest::newRow("clipboard") << true;
    }

    void largeImagesReachTheRecognizer()
    {
        QFETCH(bool, fromClipboard);
        CaptureServiceRig rig;
        rig.recognizer.barcodes = QStringList();
        rig.recognizer.text = u"Forty megapixels"_s;
        RecordingDelegate delegate;
        rig.core.setDelegate(&delegate);
        std::vector<CaptureResult> reported;
        ImportMenuHelper helper(rig.core, [&reported](const CaptureResult &result) { reported.push_back(result); }, {});

        QTemporaryDir dir;
        if (fromClipboard) {
            // As another program offers a screenshot: encoded, decoded by Qt on the way in.
            auto *data = new QMimeData;
            data->setData(u"image/png"_s, largeScreenshotPng());
            QGuiApplication::clipboard()->setMimeData(data);
            helper.importFromClipboard();
        } else {
            QFile file(dir.filePath(u"screenshot.png"_s));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(largeScreenshotPng()) > 0);
            file.close();
            helper.importFile(file.fileName());
        }
        QVERIFY2(reported.empty(), reported.empty() ? "" : qPrintable(errorOf(reported.front())));
        QTRY_COMPARE(delegate.results.size(), size_t(1));
        QVERIFY2(delegate.results.front().is<CaptureResult::Success>(), qPrintable(errorOf(delegate.results.front())));
        QCOMPARE(rig.recognizer.imageSizes.value(0), QSize(8000, 5000));
    }

    void dropsCarryTheFirstLocalImage()
    {
        QMimeData data;
        data.setUrls({ QUrl(u"https://example.org/a.png"_s), QUrl::fromLocalFile(u"/tmp/a.txt"_s),
            QUrl::fromLocalFile(u"/tmp/b.WebP"_s), QUrl::fromLocalFile(u"/tmp/c.png"_s) });
        QCOMPARE(ImportMenuHelper::imageFileIn(&data), u"/tmp/b.WebP"_s);
        data.setUrls({ QUrl::fromLocalFile(u"/tmp/a.txt"_s) });
        QCOMPARE(ImportMenuHelper::imageFileIn(&data), std::nullopt);
    }
};

QTEST_MAIN(TestImageImport)
#include "tst_imageimport.moc"
