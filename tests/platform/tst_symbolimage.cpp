// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The icon set as the rest of Kavri meets it: every symbol name rendered in the tint and nothing
// else, cut-outs that stay holes, the palette followed past the cache, and crisp tray images.
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QRegularExpression>
#include <QTest>

#include "platform/SymbolImage.h"

using namespace Qt::StringLiterals;
namespace SymbolImage = kavri::SymbolImage;

namespace {

struct Ink
{
    int visible = 0; // alpha > 0
    int opaque = 0; // alpha == 255
    int offColour = 0; // visible, but not the expected colour
};

Ink inkOf(const QPixmap &pixmap, const QColor &colour)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            ink.visible += qAlpha(pixel) > 0 ? 1 : 0;
            ink.opaque += qAlpha(pixel) == 255 ? 1 : 0;
            // Colour is only meaningful where there is enough coverage to carry it.
            const bool near = std::abs(qRed(pixel) - colour.red()) <= 8 && std::abs(qGreen(pixel) - colour.green()) <= 8
                && std::abs(qBlue(pixel) - colour.blue()) <= 8;
            ink.offColour += qAlpha(pixel) > 64 && !near ? 1 : 0;
        }
    }
    return ink;
}

int alphaAt(const QPixmap &pixmap, int x, int y)
{
    return qAlpha(pixmap.toImage().convertToFormat(QImage::Format_ARGB32).pixel(x, y));
}

} // namespace

class TestSymbolImage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QTest::failOnWarning(QRegularExpression(u".*"_s)); }

    void everySymbolRendersInItsTint_data()
    {
        QTest::addColumn<QString>("name");
        // Every symbol name Kavri's windows, cards and menus ask for.
        const QString names = u"text.viewfinder qrcode.viewfinder viewfinder a.square scope qrcode "
                              u"checkmark.circle.fill exclamationmark.circle xmark.circle xmark.circle.fill "
                              u"questionmark.circle exclamationmark.triangle.fill text.badge.xmark "
                              u"doc.text.magnifyingglass lock.shield gear gearshape command hand.raised info.circle "
                              u"arrow.triangle.2.circlepath square.and.arrow.down chevron.right power globe envelope "
                              u"clipboard person.fill building.2.fill briefcase.fill phone.fill envelope.fill "
                              u"location.fill link gift.fill note.text wifi lock.fill lock.open key.fill text.bubble "
                              u"at text.justify.left text.quote person.crop.circle message.fill"_s;
        for (const QString &name : names.split(u' '))
            QTest::newRow(qPrintable(name)) << name;
    }

    void everySymbolRendersInItsTint()
    {
        QFETCH(QString, name);
        const QColor tint(0x1e, 0x88, 0xe5);
        QVERIFY(SymbolImage::exists(name));
        const QIcon icon = SymbolImage::icon(name, tint);
        for (const qreal ratio : { 1.0, 2.0 }) {
            const QPixmap pixmap = icon.pixmap(QSize(22, 22), ratio);
            QCOMPARE(pixmap.size(), QSize(22, 22) * ratio);
            QCOMPARE(pixmap.devicePixelRatio(), ratio);
            const Ink ink = inkOf(pixmap, tint);
            QVERIFY2(ink.opaque >= 12 * ratio * ratio, qPrintable(u"%1 opaque pixels"_s.arg(ink.opaque)));
            QCOMPARE(ink.offColour, 0);
        }
        // Drawn from the SVG at 2x, not scaled up from 1x.
        QImage twice = icon.pixmap(QSize(22, 22), 2.0).toImage();
        twice.setDevicePixelRatio(1.0);
        QCOMPARE(twice, SymbolImage::pixmap(name, 44, tint).toImage());
    }

    void unknownNamesGiveNothing()
    {
        // The last two are resources, but no symbols.
        for (const QString &name : { u"no.such.symbol"_s, QString(), u"../images/MenuBarIcon"_s, u"MenuBarIcon"_s }) {
            QVERIFY(!SymbolImage::exists(name));
            QVERIFY(SymbolImage::icon(name).isNull());
            QVERIFY(SymbolImage::pixmap(name, 22).isNull());
        }
        QVERIFY(SymbolImage::namedImage(u"gear"_s).isNull());
    }

    // White marks in a filled symbol are holes, not ink.
    void cutOutsStayTransparent()
    {
        const QPixmap check = SymbolImage::pixmap(u"checkmark.circle.fill"_s, 48, Qt::black);
        QCOMPARE(alphaAt(check, 24, 6), 255); // the disc
        QCOMPARE(alphaAt(check, 21, 30), 0); // the check through it
    }

    // Template use follows the palette as it changes, cache or not; disabled icons are faint.
    void templatesFollowThePaletteAndFadeWhenDisabled()
    {
        const QPalette original = QGuiApplication::palette();
        const QIcon icon = SymbolImage::icon(u"lock.fill"_s);
        for (const QColor colour : { QColor(Qt::black), QColor(0xe0, 0x30, 0x30) }) {
            QPalette palette = original;
            palette.setColor(QPalette::WindowText, colour);
            QGuiApplication::setPalette(palette);
            QCOMPARE(inkOf(icon.pixmap(QSize(22, 22), 1.0), colour).offColour, 0);
        }
        QGuiApplication::setPalette(original);
        const QIcon black = SymbolImage::icon(u"lock.fill"_s, Qt::black);
        QCOMPARE(alphaAt(black.pixmap(QSize(22, 22), 1.0, QIcon::Normal), 11, 16), 255);
        const int faded = alphaAt(black.pixmap(QSize(22, 22), 1.0, QIcon::Disabled), 11, 16);
        QVERIFY2(faded > 0 && faded < 160, qPrintable(QString::number(faded)));
    }

    // The tray draws it at 22 px; a soft edge there reads as blur on every panel. Widgets paint
    // it through QIcon::paint at their own device pixel ratio.
    void namedImagesAreCrispOrKeepTheirColours()
    {
        const QColor tint(0xf4, 0xf4, 0xf4);
        const QIcon icon = SymbolImage::namedImage(u"MenuBarIcon"_s, tint);
        for (const qreal ratio : { 1.0, 2.0 }) {
            const QPixmap pixmap = icon.pixmap(QSize(22, 22), ratio);
            QCOMPARE(pixmap.size(), QSize(22, 22) * ratio);
            const Ink ink = inkOf(pixmap, tint);
            QCOMPARE(ink.offColour, 0);
            QVERIFY(ink.visible > 0);
            const int soft = ink.visible - ink.opaque;
            QVERIFY2(soft * 20 <= ink.visible, qPrintable(u"%1 of %2 pixels soft"_s.arg(soft).arg(ink.visible)));
        }
        QImage canvas(88, 88, QImage::Format_ARGB32_Premultiplied);
        canvas.setDevicePixelRatio(2.0);
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        SymbolImage::namedImage(u"MenuBarIcon"_s, Qt::black).paint(&painter, QRect(11, 11, 22, 22));
        painter.end();
        // One logical pixel of the 2 px bracket spans two device pixels, both fully covered.
        QCOMPARE(qAlpha(canvas.pixel(26, 26)), 255);
        QCOMPARE(qAlpha(canvas.pixel(27, 27)), 255);
        QCOMPARE(qAlpha(canvas.pixel(30, 30)), 0);

        // The application icon keeps its own colours whatever tint is asked for.
        const QImage app = SymbolImage::namedImage(u"AppIconVibrant"_s, Qt::red).pixmap(QSize(64, 64), 1.0).toImage();
        const QColor tile = app.pixelColor(8, 40);
        QCOMPARE(tile.alpha(), 255);
        QVERIFY2(tile.hsvSaturation() > 100 && tile.red() < 128, qPrintable(tile.name()));
        QCOMPARE(app.pixelColor(0, 0).alpha(), 0);
    }
};

QTEST_MAIN(TestSymbolImage)
#include "tst_symbolimage.moc"
