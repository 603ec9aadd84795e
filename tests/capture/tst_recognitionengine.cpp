// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Real Tesseract and ZXing on images made here: lines and their order, images without text,
// custom words, and the codes a single pass of a reader misses.
#include <QFile>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTest>

#include "capture/ImagePreparation.h"
#include "capture/RecognitionEngine.h"
#include "capture/TesseractEngines.h"
#include "support/TestImages.h"

using namespace Qt::StringLiterals;
using namespace kavri;
using namespace kavri::test;
using ZXing::BarcodeFormat;

namespace {

QString textOf(const Outcome<QString> &outcome)
{
    if (const auto *error = std::get_if<KavriError>(&outcome))
        return u"error: "_s + error->errorDescription();
    return std::get<QString>(outcome);
}

QStringList payloadsOf(const QImage &image)
{
    const Outcome<QStringList> outcome = RecognitionEngine::detectBarcodesNow(image);
    if (const auto *error = std::get_if<KavriError>(&outcome))
        return { u"error: "_s + error->errorDescription() };
    return std::get<QStringList>(outcome);
}

} // namespace

class TestRecognitionEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void linesComeBackInOrder_data();
    void linesComeBackInOrder();
    void imagesWithoutText_data();
    void imagesWithoutText();
    void unusableImagesFail();
    void hugeImagesAreScaledDown();
    void customWordsReachTheEngine();
    void enginesGoAfterAWhile();
    void codes_data();
    void codes();
};

void TestRecognitionEngine::linesComeBackInOrder_data()
{
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("dark");
    QTest::newRow("14 px, light") << 14 << false;
    QTest::newRow("11 px, dark theme") << 11 << true;
    // Tall enough to be read in bands on several threads.
    QTest::newRow("a page of 14 px lines") << -14 << false;
}

void TestRecognitionEngine::linesComeBackInOrder()
{
    QFETCH(int, pixelSize);
    QFETCH(bool, dark);
    QStringList lines { u"Invoice number 4521"_s, u"Shipping address changed"_s, u"Thanks for your order"_s };
    if (pixelSize < 0) {
        pixelSize = -pixelSize;
        lines = lines + lines + lines + lines;
        for (qsizetype i = 0; i < lines.size(); ++i)
            lines[i] += u" %1"_s.arg(i + 1);
    }
    const QImage image = renderText(lines, pixelSize, dark);
    QCOMPARE(textOf(RecognitionEngine::recognizeTextNow(image, u"en-US"_s, {})), lines.join(u'\n'));
    // Automatic language: the same text.
    QCOMPARE(textOf(RecognitionEngine::recognizeTextNow(image, std::nullopt, {})), lines.join(u'\n'));
}

void TestRecognitionEngine::imagesWithoutText_data()
{
    QTest::addColumn<QImage>("image");
    QImage blank(300, 120, QImage::Format_RGB32);
    blank.fill(QColor(240, 240, 240));
    QImage noise(300, 120, QImage::Format_RGB32);
    QRandomGenerator random(42);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x) {
            const int v = 200 + int(random.bounded(56));
            noise.setPixel(x, y, qRgb(v, v, v));
        }
    QImage tiny(1, 1, QImage::Format_RGB32);
    tiny.fill(Qt::black);
    QTest::newRow("blank") << blank;
    QTest::newRow("light noise") << noise;
    QTest::newRow("one pixel") << tiny;
}

void TestRecognitionEngine::imagesWithoutText()
{
    QFETCH(QImage, image);
    QCOMPARE(textOf(RecognitionEngine::recognizeTextNow(image, u"en-US"_s, {})), QString());
    QCOMPARE(payloadsOf(image), QStringList());
}

void TestRecognitionEngine::unusableImagesFail()
{
    const auto text = RecognitionEngine::recognizeTextNow(QImage(), u"en-US"_s, {});
    QVERIFY(std::holds_alternative<KavriError>(text));
    QCOMPARE(std::get<KavriError>(text).kind(), KavriError::Kind::recognitionFailed);
    QVERIFY(
        std::holds_alternative<KavriError>(RecognitionEngine::detectBarcodesNow(QImage(0, 5, QImage::Format_RGB32))));
}

void TestRecognitionEngine::hugeImagesAreScaledDown()
{
    QImage huge(9000, 5000, QImage::Format_Grayscale8); // 45 megapixels
    huge.fill(255);
    const QImage bounded = ImagePreparation::boundedGray(huge);
    QVERIFY(qint64(bounded.width()) * bounded.height() <= ImagePreparation::maxPixels);
    QVERIFY(bounded.width() > 8000 * 0.9 * 0.9);
    QCOMPARE(bounded.format(), QImage::Format_Grayscale8);
}

void TestRecognitionEngine::customWordsReachTheEngine()
{
    const QStringList words { u"Kavrifex"_s, u"Zumblatt"_s };
    const QImage image = renderText({ u"Kavrifex Zumblatt"_s }, 16);
    QCOMPARE(textOf(RecognitionEngine::recognizeTextNow(image, u"en-US"_s, words)), u"Kavrifex Zumblatt"_s);

    // Tesseract was started with a words file that holds them.
    const QString file = TesseractEngines::customWordsFile({ u"eng"_s }, words);
    QVERIFY(!file.isEmpty());
    QFile read(file);
    QVERIFY(read.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(read.readAll()).split(u'\n', Qt::SkipEmptyParts), words);
    // Without words, no words file.
    QVERIFY(std::holds_alternative<QString>(RecognitionEngine::recognizeTextNow(image, u"en-US"_s, {})));
    QCOMPARE(TesseractEngines::customWordsFile({ u"eng"_s }, {}), QString());
}

void TestRecognitionEngine::enginesGoAfterAWhile()
{
    const auto readAll = [](RecognitionEngine &engine, const QStringList &languages) {
        const QImage image = renderText({ u"Warm engines"_s }, 16);
        QList<QFuture<Outcome<QString>>> readings;
        for (const QString &language : languages)
            readings.append(engine.recognizeText(image, language, {}));
        QTRY_VERIFY_WITH_TIMEOUT(
            std::all_of(readings.begin(), readings.end(), [](const auto &reading) { return reading.isFinished(); }),
            60'000);
        for (auto &reading : readings)
            QCOMPARE(textOf(reading.result()), u"Warm engines"_s);
    };
    TesseractEngines::releaseIdle();
    const int before = TesseractEngines::engineCount(); // this thread's, from the tests above
    RecognitionEngine engine;
    engine.setEnginesKeptWarm(std::chrono::hours(1));
    readAll(engine, { u"en-US"_s, u"de-DE"_s, u"fr-FR"_s });
    QVERIFY(TesseractEngines::engineCount() >= before + 2);
    QTest::qWait(50);
    QVERIFY(TesseractEngines::engineCount() >= before + 2); // not yet

    engine.setEnginesKeptWarm(std::chrono::milliseconds(0));
    readAll(engine, { u"en-US"_s });
    QTRY_COMPARE(TesseractEngines::engineCount(), before);
    // And start again for the next capture.
    readAll(engine, { u"en-US"_s });
}

void TestRecognitionEngine::codes_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QStringList>("payloads");
    const QImage wifi = renderCode(BarcodeFormat::QRCode, u"WIFI:S:Cafe;T:WPA;P:pw;;"_s);
    QImage inverted = wifi;
    inverted.invertPixels();
    QTest::newRow("two QR codes") << sideBySide({ wifi, renderCode(BarcodeFormat::QRCode, u"tel:123"_s) })
                                  << QStringList { u"WIFI:S:Cafe;T:WPA;P:pw;;"_s, u"tel:123"_s };
    QTest::newRow("the same code twice") << sideBySide(
        { wifi, wifi }) << QStringList { u"WIFI:S:Cafe;T:WPA;P:pw;;"_s, u"WIFI:S:Cafe;T:WPA;P:pw;;"_s };
    QTest::newRow("light on dark") << inverted << QStringList { u"WIFI:S:Cafe;T:WPA;P:pw;;"_s };
    QTest::newRow("one-pixel modules") << renderCode(BarcodeFormat::QRCode, u"https://example.com"_s, 1)
                                       << QStringList { u"https://example.com"_s };
    QTest::newRow("Aztec beside Data Matrix") << sideBySide(
        { renderCode(BarcodeFormat::Aztec, u"aztec"_s), renderCode(BarcodeFormat::DataMatrix, u"matrix"_s) })
                                              << QStringList { u"aztec"_s, u"matrix"_s };
    QImage turned(340, 340, QImage::Format_RGB32);
    turned.fill(Qt::white);
    {
        QPainter painter(&turned);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(170, 170);
        painter.rotate(7);
        const QImage aztec = renderCode(BarcodeFormat::Aztec, u"tel:+15550100"_s, 3);
        painter.drawImage(-aztec.width() / 2, -aztec.height() / 2, aztec);
    }
    QTest::newRow("slightly turned Aztec") << turned << QStringList { u"tel:+15550100"_s };
    QTest::newRow("PDF417") << renderCode(BarcodeFormat::PDF417, u"MATMSG:TO:a@b.example;;"_s, 2)
                            << QStringList { u"MATMSG:TO:a@b.example;;"_s };
    QTest::newRow("a linear code is never reported")
        << renderCode(BarcodeFormat::Code128, u"12345678"_s, 3) << QStringList();
}

void TestRecognitionEngine::codes()
{
    QFETCH(QImage, image);
    QFETCH(QStringList, payloads);
    QStringList found = payloadsOf(image);
    found.sort();
    payloads.sort();
    QCOMPARE(found, payloads);
}

QTEST_MAIN(TestRecognitionEngine)
#include "tst_recognitionengine.moc"
