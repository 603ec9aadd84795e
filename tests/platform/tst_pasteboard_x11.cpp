// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The clipboard for real, on a private X server: what other programs put there, what Kavri
// puts there, and whether the change count notices both.
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "platform/Pasteboard.h"
#include "support/X11Tools.h"

using namespace Qt::StringLiterals;
using namespace kavri;
using namespace kavri::test;

class TestPasteboardX11 : public QObject
{
    Q_OBJECT

private:
    static QByteArray png(const QImage &image)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != u"xcb")
            QSKIP("needs an X11 display (run through tests/support/desktop-session)");
    }

    // Order matters: the fresh display starts with no clipboard owner at all.
    void nothingOnAFreshDisplayIsEmpty();
    void imageFromAnotherProgram();
    void otherProgramsNonImages_data();
    void otherProgramsNonImages();
    void ownWritesReachOtherPrograms();
};

void TestPasteboardX11::nothingOnAFreshDisplayIsEmpty()
{
    Pasteboard pasteboard(QGuiApplication::clipboard());
    const auto read = pasteboard.readImage();
    QVERIFY(std::holds_alternative<PasteboardImageFailure>(read));
    QCOMPARE(std::get<PasteboardImageFailure>(read), PasteboardImageFailure::empty);
}

void TestPasteboardX11::imageFromAnotherProgram()
{
    Pasteboard pasteboard(QGuiApplication::clipboard());
    QImage pattern(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < pattern.height(); ++y)
        for (int x = 0; x < pattern.width(); ++x)
            pattern.setPixel(x, y, qRgb(x * 6, y * 8, 200));
    const qint64 before = pasteboard.changeCount();
    QVERIFY(putOnClipboardWithXclip(png(pattern), u"image/png"_s));
    QTRY_VERIFY(pasteboard.changeCount() > before);

    const auto read = pasteboard.readImage();
    QVERIFY(std::holds_alternative<QImage>(read));
    QCOMPARE(std::get<QImage>(read).convertToFormat(QImage::Format_RGB32), pattern);
}

void TestPasteboardX11::otherProgramsNonImages_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("mimeType");
    QTest::addColumn<PasteboardImageFailure>("failure");
    QTest::newRow("text") << QByteArray("only words") << u"UTF8_STRING"_s << PasteboardImageFailure::noImage;
    QTest::newRow("broken PNG") << QByteArray("\x89PNG but not really") << u"image/png"_s
                                << PasteboardImageFailure::unreadable;
}

void TestPasteboardX11::otherProgramsNonImages()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, mimeType);
    QFETCH(PasteboardImageFailure, failure);
    Pasteboard pasteboard(QGuiApplication::clipboard());
    const qint64 before = pasteboard.changeCount();
    QVERIFY(putOnClipboardWithXclip(data, mimeType));
    QTRY_VERIFY(pasteboard.changeCount() > before);
    const auto read = pasteboard.readImage();
    QVERIFY(std::holds_alternative<PasteboardImageFailure>(read));
    QCOMPARE(std::get<PasteboardImageFailure>(read), failure);
}

void TestPasteboardX11::ownWritesReachOtherPrograms()
{
    Pasteboard pasteboard(QGuiApplication::clipboard());
    const qint64 before = pasteboard.changeCount();
    pasteboard.clearContents();
    pasteboard.setString(u"line one\nline two \u2713"_s);
    QVERIFY(pasteboard.changeCount() >= before + 2);

    // xclip asks Kavri's process for the text, so the event loop must keep running meanwhile.
    QByteArray seen;
    bool done = false;
    QProcess reader;
    connect(&reader, &QProcess::finished, this, [&] {
        seen = reader.readAllStandardOutput();
        done = true;
    });
    reader.start(u"xclip"_s, { u"-selection"_s, u"clipboard"_s, u"-o"_s });
    QTRY_VERIFY_WITH_TIMEOUT(done, 15000);
    QCOMPARE(QString::fromUtf8(seen), u"line one\nline two \u2713"_s);
    QVERIFY(pasteboard.types().contains(u"text/plain"_s));
}

QTEST_MAIN(TestPasteboardX11)
#include "tst_pasteboard_x11.moc"
