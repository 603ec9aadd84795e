// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Real Tesseract on the selections people make: a word in a roomy box, code with a lone brace,
// a rule between paragraphs, a link before a full stop, a screen with no text, a whole 4K page,
// a German text under an English locale.
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

#include "capture/RecognitionEngine.h"
#include "support/TestImages.h"

using namespace Qt::StringLiterals;
using namespace kavri;
using namespace kavri::test;

namespace {

QString textOf(const QImage &image, const std::optional<QString> &language = u"en-US"_s)
{
    const Outcome<QString> outcome = RecognitionEngine::recognizeTextNow(image, language, {});
    if (const auto *error = std::get_if<KavriError>(&outcome))
        return u"error: "_s + error->errorDescription();
    return std::get<QString>(outcome);
}

// Runs of spaces count as one: indentation is not what these cases are about.
QString collapsed(const QString &text)
{
    QStringList lines;
    for (const QString &line : text.split(u'\n'))
        lines.append(line.simplified());
    return lines.join(u'\n');
}

TextStyle style(int pixelSize, QColor background = Qt::white, QColor ink = QColor(25, 25, 25),
    const QString &family = u"DejaVu Sans"_s)
{
    return { family, pixelSize, background, ink };
}

// A primary button, as toolkits draw one: a filled, outlined, rounded face in a roomy selection.
QImage button(const QString &caption, QSize selection, QPoint at)
{
    QImage image(selection, QImage::Format_RGB32);
    image.fill(QColor(0x1565c0));
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(13);
    const QFontMetrics metrics(font);
    const QRect face(at, QSize(metrics.horizontalAdvance(caption) + 24, metrics.height() + 12));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x90caf9));
    painter.setBrush(QColor(0x1e88e5));
    painter.drawRoundedRect(QRectF(face).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(face, Qt::AlignCenter, caption);
    return image;
}

// Filled buttons on a light page: light captions on dark faces, the rest of the page dark on light.
QImage filledButtons(const QStringList &captions)
{
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(14);
    const QFontMetrics metrics(font);
    QImage image(120 * int(captions.size()) + 60, metrics.height() + 48, QImage::Format_RGB32);
    image.fill(QColor(0xf5f1e8));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);
    int x = 24;
    for (const QString &caption : captions) {
        const QRect face(x, 17, metrics.horizontalAdvance(caption) + 28, metrics.height() + 14);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x5b4636));
        painter.drawRoundedRect(face, 6, 6);
        painter.setPen(QColor(0xf5f1e8));
        painter.drawText(face, Qt::AlignCenter, caption);
        x += face.width() + 12;
    }
    return image;
}

QImage noise(QSize size, quint32 seed)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, random.generate() | 0xff000000);
    return image;
}

QImage landscape(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x4a78b8));
    sky.setColorAt(1, QColor(0xdcc88a));
    painter.fillRect(image.rect(), sky);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QRandomGenerator random(7);
    // One draw per statement: the order of a call's arguments differs between compilers.
    for (int i = 0; i < 14; ++i) {
        const int hue = random.bounded(360);
        const int saturation = 90 + random.bounded(80);
        const int value = 90 + random.bounded(120);
        painter.setBrush(QColor::fromHsv(hue, saturation, value));
        const int x = random.bounded(size.width());
        const int y = size.height() / 2 + random.bounded(size.height() / 2);
        const int width = 20 + random.bounded(60);
        painter.drawEllipse(QPoint(x, y), width, 10 + random.bounded(40));
    }
    return image;
}

QImage iconRow()
{
    QImage image(260, 48, QImage::Format_RGB32);
    image.fill(QColor(0xf6f6f6));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x444444), 2));
    for (int i = 0; i < 8; ++i) {
        const QRect cell(14 + 30 * i, 16, 16, 16);
        switch (i % 4) {
        case 0:
            painter.drawEllipse(cell);
            break;
        case 1:
            painter.drawRect(cell);
            break;
        case 2:
            for (int bar = 0; bar < 3; ++bar)
                painter.drawLine(cell.left(), cell.top() + 3 + 5 * bar, cell.right(), cell.top() + 3 + 5 * bar);
            break;
        default:
            painter.drawLine(cell.topLeft(), cell.bottomRight());
            painter.drawLine(cell.topRight(), cell.bottomLeft());
        }
    }
    return image;
}

// An empty window: a title bar with its minimise, maximise and close buttons, and nothing else.
QImage emptyWindow()
{
    QImage image(480, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(0, 0, 480, 30, QColor(0xe4e4e4));
    painter.setPen(QPen(QColor(0x333333), 1.5));
    painter.drawLine(400, 20, 410, 20);
    painter.drawRect(424, 10, 10, 10);
    painter.drawLine(448, 10, 458, 20);
    painter.drawLine(458, 10, 448, 20);
    return image;
}

// A column of a document: lines of ordinary words, different in every line.
QStringList columnText(int column, int lines)
{
    static const QStringList words { u"river"_s, u"paper"_s, u"window"_s, u"letter"_s, u"garden"_s, u"station"_s,
        u"morning"_s, u"number"_s, u"yellow"_s, u"market"_s, u"the"_s, u"and"_s, u"of"_s, u"travel"_s, u"summer"_s,
        u"kitchen"_s, u"quiet"_s, u"bridge"_s, u"answer"_s, u"before"_s };
    QRandomGenerator random { quint32(column) };
    QStringList result;
    for (int line = 0; line < lines; ++line) {
        QStringList picked;
        for (int word = 0; word < 8; ++word)
            picked.append(words[random.bounded(int(words.size()))]);
        result.append(picked.join(u' '));
    }
    return result;
}

} // namespace

Q_DECLARE_METATYPE(kavri::test::TextStyle)

class TestTextRecognition : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void wordsInRoomySelections_data();
    void wordsInRoomySelections();
    void punctuationLinesStay_data();
    void punctuationLinesStay();
    void textStaysAsOnScreen_data();
    void textStaysAsOnScreen();
    void touchingLettersStay_data();
    void touchingLettersStay();
    void noTextGivesNothing_data();
    void noTextGivesNothing();
    void fullScreenPageIsReadCompletely();
    void tallSelectionsReadSideBySide();
    void automaticLanguageReadsForeignTextUnderEnglishLocale();
};

void TestTextRecognition::initTestCase()
{
    // Automatic language starts from the user's locale: make it English whatever the machine's.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestTextRecognition::wordsInRoomySelections_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QString>("text");
    // Text covering well under 1 % of the selection once made it "blank".
    QTest::newRow("Total, left of a wide box") << renderIn({ 400, 40 }, { 12, 12 }, u"Total"_s) << u"Total"_s;
    QTest::newRow("Cancel, at the right on grey")
        << renderIn({ 400, 40 }, { 330, 12 }, u"Cancel"_s, style(13, QColor(0xf0f0f0))) << u"Cancel"_s;
    QTest::newRow("OK, low in the box") << renderIn({ 300, 60 }, { 140, 38 }, u"OK"_s) << u"OK"_s;
    QTest::newRow("a price on a dark theme")
        << renderIn({ 300, 60 }, { 100, 20 }, u"€1,299.00"_s, style(14, QColor(0x1e1e1e), QColor(0xdddddd)))
        << u"€1,299.00"_s;
    QTest::newRow("a name, serif") << renderIn(
        { 250, 120 }, { 40, 80 }, u"Alice Warren"_s, style(13, Qt::white, QColor(0x333333), u"Liberation Serif"_s))
                                   << u"Alice Warren"_s;
    // Its outline and face once came back as "| Save |" or hid the caption.
    QTest::newRow("a primary button") << button(u"Save"_s, { 300, 80 }, { 180, 30 }) << u"Save"_s;
    QTest::newRow("filled buttons on a light page")
        << filledButtons({ u"Close"_s, u"Send"_s, u"Print"_s }) << u"Close Send Print"_s;
}

void TestTextRecognition::wordsInRoomySelections()
{
    QFETCH(QImage, image);
    QFETCH(QString, text);
    QCOMPARE(textOf(image), text);
}

void TestTextRecognition::punctuationLinesStay_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TextStyle>("style");
    const TextStyle mono = style(13, Qt::white, QColor(25, 25, 25), u"DejaVu Sans Mono"_s);
    QTest::newRow("braces") << u"int main(void)\n{\n    if (count > 0) {\n        return count;\n    }\n}"_s << mono;
    QTest::newRow("a ruler comment") << u"// ----------\nstruct Point {\n    int x;\n};"_s << mono;
    QTest::newRow("a rule between paragraphs") << u"The plan is ready.\n---\nWe start on Monday."_s << style(14);
    QTest::newRow("stars between paragraphs") << u"The plan is ready.\n* * *\nWe start on Monday."_s << style(14);
    QTest::newRow("equals under a heading") << u"Introduction\n============\nThe plan is ready."_s << mono;
}

void TestTextRecognition::punctuationLinesStay()
{
    QFETCH(QString, text);
    QFETCH(TextStyle, style);
    QCOMPARE(collapsed(textOf(renderBlock(text, style))), collapsed(text));
}

void TestTextRecognition::textStaysAsOnScreen_data()
{
    QTest::addColumn<QString>("text");
    // "example.com. or" once became the link "example.com.or".
    QTest::newRow("links before full stops") << u"Visit www.example.com. or write to info@example.org. then"_s;
    QTest::newRow("a link before a comma") << u"See https://example.net/docs, then restart."_s;
    QTest::newRow("a link in parentheses") << u"(more at https://example.net/help)"_s;
    QTest::newRow("curly quotes") << u"He said \u201chello\u201d and \u2018bye\u2019."_s;
    QTest::newRow("a trailing bar") << u"Name | Value |"_s;
}

void TestTextRecognition::textStaysAsOnScreen()
{
    QFETCH(QString, text);
    QCOMPARE(textOf(renderBlock(text, style(15))), text);
}

void TestTextRecognition::touchingLettersStay_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("language");
    QTest::addColumn<TextStyle>("style");
    // Small letters touch; with an umlaut's dots inside their box they once passed for the outline
    // of a button and were erased ("zählt" became "z” It").
    const TextStyle liberation = style(12, Qt::white, QColor(25, 25, 25), u"Liberation Sans"_s);
    QTest::newRow("umlauts")
        << u"Ansicht Zahlung eine dem zählt Gebühr schnell.\nIhr günstig gefällt dürfen bestätigt."_s << u"de-DE"_s
        << liberation;
}

void TestTextRecognition::touchingLettersStay()
{
    QFETCH(QString, text);
    QFETCH(QString, language);
    QFETCH(TextStyle, style);
    QCOMPARE(textOf(renderBlock(text, style), language), text);
}

void TestTextRecognition::noTextGivesNothing_data()
{
    QTest::addColumn<QImage>("image");
    QTest::newRow("colour noise") << noise({ 320, 160 }, 3);
    QTest::newRow("a landscape") << landscape({ 360, 200 });
    QTest::newRow("a row of icons") << iconRow();
    QTest::newRow("a QR code") << renderCode(ZXing::BarcodeFormat::QRCode, u"https://example.com/a/long/path?x=1"_s, 4);
    QTest::newRow("an empty window") << emptyWindow();
}

void TestTextRecognition::noTextGivesNothing()
{
    QFETCH(QImage, image);
    QCOMPARE(textOf(image), QString());
}

void TestTextRecognition::fullScreenPageIsReadCompletely()
{
    // Three columns of 14 px text on a 4K screen: read column after column, every line, without
    // running into a deadline.
    QImage page(3840, 2160, QImage::Format_RGB32);
    page.fill(Qt::white);
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(14);
    const QFontMetrics metrics(font);
    QPainter painter(&page);
    painter.setFont(font);
    painter.setPen(QColor(30, 30, 30));
    QStringList expected;
    for (int column = 0; column < 3; ++column) {
        const QStringList lines = columnText(column + 1, 60);
        for (qsizetype line = 0; line < lines.size(); ++line)
            painter.drawText(
                60 + 1280 * column, 200 + metrics.ascent() + int(line) * metrics.lineSpacing(), lines[line]);
        expected += lines;
    }
    painter.end();
    const QStringList read = textOf(page).split(u'\n');
    qsizetype found = 0, at = 0;
    for (const QString &line : std::as_const(expected)) {
        const qsizetype index = read.indexOf(line, at);
        if (index >= 0) {
            ++found;
            at = index + 1;
        }
    }
    // Every line, in column order; a rare misread character is allowed.
    QVERIFY2(
        found >= expected.size() * 95 / 100, qPrintable(u"%1 of %2 lines in order"_s.arg(found).arg(expected.size())));
}

void TestTextRecognition::tallSelectionsReadSideBySide()
{
    // A tall selection is read in bands on the recognition threads; with every one of them busy
    // reading such a selection, the bands must still be read (the command line reads files so).
    const QStringList lines = columnText(4, 30);
    const QImage image = renderBlock(lines.join(u'\n'), style(13));
    RecognitionEngine engine;
    QList<QFuture<Outcome<QString>>> readings;
    for (int i = 0; i <= RecognitionEngine::threadPool()->maxThreadCount(); ++i)
        readings.append(engine.recognizeText(image, u"en-US"_s, {}));
    QTRY_VERIFY_WITH_TIMEOUT(
        std::all_of(readings.begin(), readings.end(), [](const auto &reading) { return reading.isFinished(); }),
        120'000);
    for (QFuture<Outcome<QString>> &reading : readings) {
        const Outcome<QString> text = reading.result();
        QVERIFY(std::holds_alternative<QString>(text));
        QCOMPARE(std::get<QString>(text).split(u'\n').size(), lines.size());
    }
}

void TestTextRecognition::automaticLanguageReadsForeignTextUnderEnglishLocale()
{
    const QString german = u"Die Größe der Datei überschreitet das Limit.\nBitte wählen Sie eine kleinere Datei aus."_s;
    const QImage image = renderBlock(german, style(14));
    // English alone would read "GroBe" and "iiberschreitet".
    QCOMPARE(textOf(image, std::nullopt), german);
    // English's dictionary knows "demain", "ville" and "mois": the accents tell French.
    const QString french
        = u"Était dossier complète Noël lent dossier arrive.\nVeut être demain ville par le achète mois."_s;
    QCOMPARE(textOf(renderBlock(french, style(12, Qt::white, QColor(25, 25, 25), u"Liberation Sans"_s)), std::nullopt),
        french);
    QCOMPARE(textOf(renderBlock(u"Please choose a smaller file."_s, style(14)), std::nullopt),
        u"Please choose a smaller file."_s);

    // Tall enough to be read in bands, the later ones while the first settles the language:
    // they must come out in the language chosen, not in the one tried first.
    QStringList tall;
    for (int i = 0; i < 12; ++i)
        tall << u"Die Größe der Datei überschreitet das Limit."_s << u"Bitte wählen Sie eine kleinere Datei aus."_s;
    QCOMPARE(textOf(renderBlock(tall.join(u'\n'), style(14)), std::nullopt), tall.join(u'\n'));
}

QTEST_MAIN(TestTextRecognition)
#include "tst_textrecognition.moc"
