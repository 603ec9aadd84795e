// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The real kavri on a private desktop with a sound server (run it inside
// tests/support/desktop-session), measured from outside as a user feels it: start-up until the
// tray icon exists; resident memory and CPU while idle; for each capture the shortcut to the
// selection overlay on screen and the mouse release to the recognised text on the clipboard, in
// stages (X events, the image arriving in Kavri's private folder, the capture tool's exit); and
// the resident memory after a full-screen capture.
//
//   app_bench [--idle-seconds N] [--rounds N]
#include <algorithm>
#include <cstdio>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <unistd.h>

#include "ToolWatch.h"
#include "XWatch.h"
#include "platform/UserDefaults.h"

using namespace Qt::StringLiterals;

namespace {

bool run(const QString &program, const QStringList &arguments, QByteArray *output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        return false;
    if (output)
        *output = process.readAllStandardOutput();
    return process.exitCode() == 0;
}

bool xdotool(const QStringList &arguments)
{
    return run(u"xdotool"_s, arguments);
}

// CPU seconds used so far (user + system) and the resident size in MB, from /proc.
std::pair<double, double> usage(qint64 pid)
{
    QFile stat(u"/proc/%1/stat"_s.arg(pid));
    QFile status(u"/proc/%1/status"_s.arg(pid));
    if (!stat.open(QIODevice::ReadOnly) || !status.open(QIODevice::ReadOnly))
        return { 0, 0 };
    const QList<QByteArray> fields = stat.readAll().split(')').last().trimmed().split(' ');
    const double ticks = double(::sysconf(_SC_CLK_TCK));
    const double cpu = (fields.value(11).toDouble() + fields.value(12).toDouble()) / ticks;
    double rss = 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            rss = line.simplified().split(' ').value(1).toDouble() / 1024.0;
    return { cpu, rss };
}

// 800 x 200 of 13 px text, as on a busy screen.
QPixmap sampleText()
{
    QPixmap pixmap(800, 200);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(QColor(20, 20, 20));
    const QString line
        = u"The quick brown fox jumps over the lazy dog while Kavri reads every word of it. 0123456789"_s;
    for (int y = 20; y < 195; y += 18)
        painter.drawText(10, y, line);
    return pixmap;
}

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until \a done holds or \a ms have passed. The loop sleeps between events:
// a bench that spins takes a core from the process it measures.
template <typename Predicate> bool waitUntil(Predicate done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    QTimer wake;
    wake.start(5);
    while (!done() && clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

// One capture as seen from outside, in nanoseconds on XWatch's clock; -1 where it did not happen.
struct Capture
{
    qint64 shortcut = -1, overlay = -1, release = -1, written = -1, exited = -1, image = -1, text = -1;
};

class CaptureDriver : public QObject
{
public:
    CaptureDriver(XWatch &x, ToolWatch &tool)
        : m_x(x)
        , m_tool(tool)
    {
        connect(&x, &XWatch::windowMapped, this, [this](qint64 at, const QString &title, qint64 pid) {
            if (m_capture.shortcut >= 0 && m_capture.overlay < 0 && title == u"kavri-screencapture") {
                m_capture.overlay = at;
                m_tool.watchProcess(pid);
            }
        });
        connect(&tool, &ToolWatch::imageWritten, this, [this](qint64 at) { set(m_capture.written, at); });
        connect(&tool, &ToolWatch::toolExited, this, [this](qint64 at) { set(m_capture.exited, at); });
        // The captured image reaches the clipboard first; the text replaces it once recognised.
        // What the new owner offers is asked later, outside X event handling.
        connect(&x, &XWatch::clipboardOwnerChanged, this, [this](qint64 at) {
            if (m_capture.release >= 0)
                m_ownerChanges.append(at);
        });
    }

    // Drags over \a area (global coordinates) after the shortcut; false when no overlay showed.
    bool capture(const QRect &area)
    {
        m_capture = {};
        m_ownerChanges.clear();
        m_askedAfter = 0;
        m_capture.shortcut = m_x.pressKeys({ u"ctrl"_s, u"shift"_s, u"8"_s });
        if (!waitUntil([this] { return m_capture.overlay >= 0; }, 10000))
            return false;
        m_x.moveMouse(area.topLeft());
        m_x.pressButton();
        m_x.moveMouse(area.topLeft() + QPoint(40, 40));
        m_x.moveMouse(area.bottomRight());
        wait(30); // the overlay follows the pointer
        m_capture.release = m_x.now();
        m_x.releaseButton();
        waitUntil([this] { return sawText() && m_capture.exited >= 0; }, 30000);
        return true;
    }
    const Capture &last() const { return m_capture; }

private:
    // Whether the clipboard holds text, asked once per change of owner: the latest change is
    // the text's, the first the image's.
    bool sawText()
    {
        if (m_capture.text >= 0 || m_ownerChanges.size() == m_askedAfter)
            return m_capture.text >= 0;
        m_askedAfter = m_ownerChanges.size();
        set(m_capture.image, m_ownerChanges.first());
        const QMimeData *data = QApplication::clipboard()->mimeData();
        if (data && data->hasText() && !data->hasImage())
            m_capture.text = m_ownerChanges.last();
        return m_capture.text >= 0;
    }
    static void set(qint64 &field, qint64 at)
    {
        if (field < 0)
            field = at;
    }

    XWatch &m_x;
    ToolWatch &m_tool;
    Capture m_capture;
    QList<qint64> m_ownerChanges;
    qsizetype m_askedAfter = 0;
};

struct Stage
{
    const char *name;
    qint64 Capture::*from;
    qint64 Capture::*to;
};

constexpr Stage stages[] = {
    { "shortcut (keys let go) to overlay on screen", &Capture::shortcut, &Capture::overlay },
    { "  mouse release to image written", &Capture::release, &Capture::written },
    { "  image written to capture tool exited", &Capture::written, &Capture::exited },
    { "  capture tool exited to image on the clipboard", &Capture::exited, &Capture::image },
    { "  image to text on the clipboard (recognition)", &Capture::image, &Capture::text },
    { "mouse release to text on the clipboard", &Capture::release, &Capture::text },
};

void report(const QList<Capture> &captures)
{
    for (const Stage &stage : stages) {
        QList<double> values;
        for (const Capture &capture : captures)
            if (capture.*stage.from >= 0 && capture.*stage.to >= 0)
                values.append(double(capture.*stage.to - capture.*stage.from) / 1e6);
        if (values.isEmpty()) {
            std::printf("%-50s  not seen\n", stage.name);
            continue;
        }
        std::sort(values.begin(), values.end());
        std::printf("%-50s  median %4.0f ms  min %4.0f  max %4.0f\n", stage.name, values.at(values.size() / 2),
            values.first(), values.last());
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const auto option = [&arguments](const QString &name, int fallback) {
        const qsizetype at = arguments.indexOf(name);
        return at >= 0 ? arguments.value(at + 1).toInt() : fallback;
    };
    const int idleSeconds = option(u"--idle-seconds"_s, 60);
    const int rounds = option(u"--rounds"_s, 10);
    const QString kavri = QDir(QApplication::applicationDirPath()).filePath(u"../kavri"_s);

    QTemporaryDir home;
    QDir(home.path()).mkpath(u"tmp"_s);
    {
        // No cards in the way of the next round; sounds stay on, as they are by default.
        kavri::UserDefaults settings(home.filePath(u"config/Kavri/defaults.plist"_s));
        settings.set(u"showResultPopup"_s, false);
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
    env.insert(u"XDG_DATA_HOME"_s, home.filePath(u"data"_s));
    env.insert(u"TMPDIR"_s, home.filePath(u"tmp"_s));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedChannels);

    XWatch x;
    ToolWatch tool(home.filePath(u"tmp"_s), [&x] { return x.now(); });
    CaptureDriver driver(x, tool);

    QElapsedTimer clock;
    clock.start();
    process.start(kavri, {});
    if (!process.waitForStarted())
        return 1;
    while (!xdotool({ u"search"_s, u"--class"_s, u"kavri"_s }) && clock.elapsed() < 20000)
        wait(5);
    std::printf("start-up until the tray icon exists: %lld ms\n", qint64(clock.elapsed()));

    const auto before = usage(process.processId());
    std::printf("idle for %d s ...\n", idleSeconds);
    std::fflush(stdout);
    wait(idleSeconds * 1000);
    const auto idle = usage(process.processId());
    std::printf(
        "idle: CPU %.2f %%, resident %.1f MB\n", 100.0 * (idle.first - before.first) / idleSeconds, idle.second);

    QLabel sample;
    sample.setPixmap(sampleText());
    sample.move(100, 100);
    sample.show();
    wait(500);
    const QRect textArea(sample.mapToGlobal(QPoint(0, 0)), QSize(800, 200));
    QList<Capture> captures;
    QClipboard *clipboard = QApplication::clipboard();
    for (int round = 0; round <= rounds; ++round) {
        clipboard->setText(u"-"_s);
        wait(300); // the sound of the last round has ended
        if (!driver.capture(textArea)) {
            std::printf("round %d: the overlay never showed\n", round);
            continue;
        }
        if (!clipboard->text().contains(u"quick brown fox"_s))
            std::printf("round %d: the clipboard did not get the text\n", round);
        else if (round > 0) // the first round warms the engine up
            captures.append(driver.last());
    }
    std::printf("\n%d captures of 800 x 200 px of 13 px text, with the capture sound:\n", int(captures.size()));
    report(captures);
    std::printf("resident after them: %.1f MB\n", usage(process.processId()).second);

    // A whole full-HD screen, then the memory it leaves behind.
    clipboard->setText(u"-"_s);
    wait(300);
    driver.capture(QRect(0, 0, 1920, 1080));
    const double afterCapture = usage(process.processId()).second;
    wait(25000); // Kavri lets its recognition engines go 20 s after the last capture
    const double settled = usage(process.processId()).second;
    std::printf("\nresident after a full-HD capture: %.1f MB, 25 s later %.1f MB (idle %.1f MB)\n", afterCapture,
        settled, idle.second);

    process.terminate();
    process.waitForFinished();
    return captures.isEmpty() ? 1 : 0;
}
