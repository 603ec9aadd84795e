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
constexpr QPoint patternOrigin(100, 100);

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
        setGeometry(QRect(patternOrigin, pattern.size()));
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

} // namespace

class TestScreenCaptureTool : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QImage m_pattern = makePattern();
    std::unique_ptr<PatternWindow> m_window;

    QString outputPath() const { return m_dir.filePath(u"region.png"_s); }

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
        QVERIFY2(runX11Tool(u"xdotool"_s,
                     { u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--name"_s, u"^kavri-screencapture$"_s }),
            "the selection overlay never showed");
    }
    static void expectExit(QProcess &process, int code)
    {
        QVERIFY(process.waitForFinished(15000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), code);
    }

private Q_SLOTS:
    void initTestCase();
    void dragWritesExactlyTheSelectedPixels_data();
    void dragWritesExactlyTheSelectedPixels();
    void dismissals_data();
    void dismissals();
    void idleSelectionGivesUp();
    void diesWithItsParent();
    void wrongUsage_data();
    void wrongUsage();
    void secondMonitor(); // last: it splits the display in two
};

void TestScreenCaptureTool::initTestCase()
{
    if (QGuiApplication::platformName() != u"xcb")
        QSKIP("needs an X11 display (run through tests/support/desktop-session)");
    QVERIFY(m_dir.isValid());
    m_window = std::make_unique<PatternWindow>(m_pattern);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    // On screen for real before any tool grabs it.
    QScreen *screen = QGuiApplication::primaryScreen();
    QTRY_COMPARE(screen->grabWindow(0, patternOrigin.x() + 10, patternOrigin.y() + 10, 1, 1).toImage().pixel(0, 0),
        m_pattern.pixel(10, 10));
}

void TestScreenCaptureTool::dragWritesExactlyTheSelectedPixels_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QString>("artifact");
    QTest::newRow("device pixel ratio 1") << QStringList() << u"screencapture-selection.png"_s;
    // The overlay works in logical pixels, the PNG must still hold every device pixel.
    QTest::newRow("device pixel ratio 2") << QStringList { u"QT_SCALE_FACTOR=2"_s } << QString();
}

void TestScreenCaptureTool::dragWritesExactlyTheSelectedPixels()
{
    QFETCH(QStringList, environment);
    QFETCH(QString, artifact);
    QProcess process;
    startTool(process, environment);
    waitForOverlay();
    const QPoint from = patternOrigin + QPoint(50, 40);
    const QPoint to = patternOrigin + QPoint(150, 110);
    QVERIFY(xdotool({ u"mousemove"_s, QString::number(from.x()), QString::number(from.y()), u"mousedown"_s, u"1"_s,
        u"mousemove"_s, QString::number(from.x() + 30), QString::number(from.y() + 20), u"mousemove"_s,
        QString::number(to.x()), QString::number(to.y()) }));

    // What the user sees mid-drag, kept for people to look at.
    const QString artifacts = qEnvironmentVariable("KAVRI_ARTIFACTS");
    if (!artifact.isEmpty() && !artifacts.isEmpty() && QDir().mkpath(artifacts)) {
        QTest::qWait(300); // let the overlay paint the selection
        runX11Tool(u"import"_s, { u"-window"_s, u"root"_s, QDir(artifacts).filePath(artifact) });
    }
    QVERIFY(xdotool({ u"mouseup"_s, u"1"_s }));
    expectExit(process, 0);

    const QImage region(outputPath());
    QVERIFY2(!region.isNull(), "no PNG written");
    QCOMPARE(region.size(), QSize(100, 70));
    const QImage expected = m_pattern.copy(QRect(from - patternOrigin, QSize(100, 70)));
    QCOMPARE(region.convertToFormat(QImage::Format_RGB32), expected);
}

void TestScreenCaptureTool::dismissals_data()
{
    QTest::addColumn<QStringList>("input");
    QTest::newRow("escape") << QStringList { u"key"_s, u"Escape"_s };
    QTest::newRow("right click") << QStringList { u"mousemove"_s, u"300"_s, u"300"_s, u"click"_s, u"3"_s };
    QTest::newRow("click without a drag") << QStringList { u"mousemove"_s, u"310"_s, u"310"_s, u"click"_s, u"1"_s };
}

void TestScreenCaptureTool::dismissals()
{
    QFETCH(QStringList, input);
    QProcess process;
    startTool(process);
    waitForOverlay();
    QVERIFY(xdotool(input));
    expectExit(process, 0);
    QVERIFY(!QFileInfo::exists(outputPath()));
}

void TestScreenCaptureTool::idleSelectionGivesUp()
{
    QProcess process;
    startTool(process, { u"KAVRI_SCREENCAPTURE_IDLE_MS=200"_s });
    expectExit(process, 0);
    QVERIFY(!QFileInfo::exists(outputPath()));
}

void TestScreenCaptureTool::diesWithItsParent()
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

void TestScreenCaptureTool::wrongUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("nothing") << QStringList {};
    QTest::newRow("unknown flag") << QStringList { u"-c"_s, u"out.png"_s };
    QTest::newRow("no file") << QStringList { u"-cs"_s };
    QTest::newRow("too much") << QStringList { u"-cs"_s, u"a.png"_s, u"b.png"_s };
}

void TestScreenCaptureTool::wrongUsage()
{
    QFETCH(QStringList, arguments);
    QProcess process;
    process.start(tool, arguments);
    expectExit(process, 2);
    QVERIFY(process.readAllStandardError().contains("Usage: kavri-screencapture"));
}

void TestScreenCaptureTool::secondMonitor()
{
    QVERIFY(runX11Tool(u"xrandr"_s, { u"--setmonitor"_s, u"left"_s, u"960/254x1080/286+0+0"_s, u"screen"_s }));
    QVERIFY(runX11Tool(u"xrandr"_s, { u"--setmonitor"_s, u"right"_s, u"960/254x1080/286+960+0"_s, u"none"_s }));
    const QPoint origin(1200, 300); // on the right monitor
    m_window->move(origin);
    QScreen *screen = QGuiApplication::primaryScreen();
    QTRY_COMPARE(
        screen->grabWindow(0, origin.x() + 3, origin.y() + 3, 1, 1).toImage().pixel(0, 0), m_pattern.pixel(3, 3));

    QProcess process;
    startTool(process);
    waitForOverlay();
    QByteArray overlays;
    QVERIFY(runX11Tool(
        u"xdotool"_s, { u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"^kavri-screencapture$"_s }, &overlays));
    QCOMPARE(overlays.trimmed().split('\n').size(), 2);
    const QPoint from = origin + QPoint(20, 30);
    QVERIFY(xdotool({ u"mousemove"_s, QString::number(from.x()), QString::number(from.y()), u"mousedown"_s, u"1"_s,
        u"mousemove"_s, QString::number(from.x() + 10), QString::number(from.y() + 10), u"mousemove"_s,
        QString::number(from.x() + 64), QString::number(from.y() + 48), u"mouseup"_s, u"1"_s }));
    expectExit(process, 0);
    const QImage region(outputPath());
    QCOMPARE(region.size(), QSize(64, 48));
    QCOMPARE(region.convertToFormat(QImage::Format_RGB32), m_pattern.copy(QRect(QPoint(20, 30), QSize(64, 48))));
}

QTEST_MAIN(TestScreenCaptureTool)
#include "tst_screencapturetool.moc"
