// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// kavri-screencapture for real on a private X server: a window shows a known pattern, xdotool
// drags a rectangle over it as a user would, and the PNG must hold exactly those pixels.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "support/X11Tools.h"

using namespace Qt::StringLiterals;
using namespace kavri::test;

namespace {

const QString tool = QStringLiteral(KAVRI_SCREENCAPTURE_TOOL);

QImage makePattern()
{
    QImage image(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 5) % 256, (y * 7) % 256, (x + y) % 256));
    return image;
}

// A window placed exactly, without the window manager's say, showing the pattern.
class PatternWindow : public QWidget
{
public:
    explicit PatternWindow(const QImage &pattern)
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint)
        , m_pattern(pattern)
    {
        resize(pattern.size());
    }

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).drawImage(0, 0, m_pattern); }

private:
    QImage m_pattern;
};

bool xdotool(const QStringList &arguments)
{
    return runX11Tool(u"xdotool"_s, arguments);
}

QStringList mouseTo(QPoint point)
{
    return { u"mousemove"_s, QString::number(point.x()), QString::number(point.y()) };
}

// Presses at \a from and moves to \a to by way of a point in between; the button stays down.
QStringList dragTo(QPoint from, QPoint to)
{
    return mouseTo(from) + QStringList { u"mousedown"_s, u"1"_s } + mouseTo(from + QPoint(10, 10)) + mouseTo(to);
}

} // namespace

class TestScreenCaptureTool : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QImage m_pattern = makePattern();
    std::unique_ptr<PatternWindow> m_window;
    QPoint m_origin { 100, 100 };

    QString outputPath() const { return m_dir.filePath(u"region.png"_s); }

    // Puts the pattern at \a origin and waits until it is on screen for real.
    void showPatternAt(QPoint origin)
    {
        m_origin = origin;
        m_window->move(origin);
        QScreen *screen = QGuiApplication::primaryScreen();
        QTRY_COMPARE(
            screen->grabWindow(0, origin.x() + 3, origin.y() + 3, 1, 1).toImage().pixel(0, 0), m_pattern.pixel(3, 3));
    }
    void startTool(QProcess &process, const QStringList &extraEnvironment = {})
    {
        QFile::remove(outputPath());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &entry : extraEnvironment)
            environment.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(tool, { u"-csx"_s, outputPath() });
        QVERIFY(process.waitForStarted());
    }
    static void waitForOverlay()
    {
        QVERIFY2(xdotool({ u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--name"_s, u"^kavri-screencapture$"_s }),
            "the selection overlay never showed");
    }
    static void expectExit(QProcess &process, int code)
    {
        QVERIFY(process.waitForFinished(15000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), code);
    }
    void expectRegion(const QRect &inPattern) const
    {
        const QImage region(outputPath());
        QCOMPARE(region.size(), inPattern.size());
        QCOMPARE(region.convertToFormat(QImage::Format_RGB32), m_pattern.copy(inPattern));
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != u"xcb")
            QSKIP("needs an X11 display (run through tests/support/desktop-session)");
        QVERIFY(m_dir.isValid());
        m_window = std::make_unique<PatternWindow>(m_pattern);
        m_window->move(m_origin);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        showPatternAt(m_origin);
    }

    void dragWritesExactlyTheSelectedPixels_data()
    {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QString>("artifact");
        QTest::newRow("device pixel ratio 1") << QStringList() << u"screencapture-selection.png"_s;
        // The overlay works in logical pixels, the PNG must still hold every device pixel.
        QTest::newRow("device pixel ratio 2") << QStringList { u"QT_SCALE_FACTOR=2"_s } << QString();
    }
    void dragWritesExactlyTheSelectedPixels()
    {
        QFETCH(QStringList, environment);
        QFETCH(QString, artifact);
        QProcess process;
        startTool(process, environment);
        waitForOverlay();
        const QPoint from = m_origin + QPoint(50, 40);
        QVERIFY(xdotool(dragTo(from, from + QPoint(100, 70))));

        // What the user sees mid-drag, kept for people to look at.
        const QString artifacts = qEnvironmentVariable("KAVRI_ARTIFACTS");
        if (!artifact.isEmpty() && !artifacts.isEmpty() && QDir().mkpath(artifacts)) {
            QTest::qWait(300); // let the overlay paint the selection
            runX11Tool(u"import"_s, { u"-window"_s, u"root"_s, QDir(artifacts).filePath(artifact) });
        }
        QVERIFY(xdotool({ u"mouseup"_s, u"1"_s }));
        expectExit(process, 0);
        expectRegion(QRect(50, 40, 100, 70));
    }

    void dismissals_data()
    {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QStringList>("input");
        QTest::newRow("escape") << QStringList() << QStringList { u"key"_s, u"Escape"_s };
        QTest::newRow("right click") << QStringList() << mouseTo(QPoint(300, 300)) + QStringList { u"click"_s, u"3"_s };
        QTest::newRow("click without a drag")
            << QStringList() << mouseTo(QPoint(310, 310)) + QStringList { u"click"_s, u"1"_s };
        QTest::newRow("no input for a while") << QStringList { u"KAVRI_SCREENCAPTURE_IDLE_MS=200"_s } << QStringList();
    }
    void dismissals()
    {
        QFETCH(QStringList, environment);
        QFETCH(QStringList, input);
        QProcess process;
        startTool(process, environment);
        if (!input.isEmpty()) {
            waitForOverlay();
            QVERIFY(xdotool(input));
        }
        expectExit(process, 0);
        QVERIFY(!QFileInfo::exists(outputPath()));
    }

    void diesWithItsParent()
    {
        // A shell starts the tool and waits for a line on its input; closing that input ends the
        // shell, and the tool must follow.
        QProcess shell;
        shell.start(u"/bin/sh"_s, { u"-c"_s, u"\"$0\" -csx \"$1\" & echo $!; read line"_s, tool, outputPath() });
        QVERIFY(shell.waitForReadyRead(10000));
        const QString pid = QString::fromUtf8(shell.readLine()).trimmed();
        QVERIFY(!pid.isEmpty());
        waitForOverlay();
        shell.closeWriteChannel();
        QVERIFY(shell.waitForFinished(10000));
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(u"/proc/"_s + pid), 10000);
    }

    void secondMonitor() // last: it splits the display in two
    {
        QVERIFY(runX11Tool(u"xrandr"_s, { u"--setmonitor"_s, u"left"_s, u"960/254x1080/286+0+0"_s, u"screen"_s }));
        QVERIFY(runX11Tool(u"xrandr"_s, { u"--setmonitor"_s, u"right"_s, u"960/254x1080/286+960+0"_s, u"none"_s }));
        showPatternAt(QPoint(1200, 300)); // on the right monitor

        QProcess process;
        startTool(process);
        waitForOverlay();
        QByteArray overlays;
        QVERIFY(runX11Tool(
            u"xdotool"_s, { u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"^kavri-screencapture$"_s }, &overlays));
        QCOMPARE(overlays.trimmed().split('\n').size(), 2);
        const QPoint from = m_origin + QPoint(20, 30);
        QVERIFY(xdotool(dragTo(from, from + QPoint(64, 48)) + QStringList { u"mouseup"_s, u"1"_s }));
        expectExit(process, 0);
        expectRegion(QRect(20, 30, 64, 48));
    }
};

QTEST_MAIN(TestScreenCaptureTool)
#include "tst_screencapturetool.moc"
