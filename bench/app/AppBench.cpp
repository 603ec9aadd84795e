// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The real kavri on a private desktop (run it inside tests/support/desktop-session): start-up time
// until the tray icon exists, resident memory and CPU while idle, and the time from the mouse
// release that ends a selection to the recognised text on the clipboard.
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
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <unistd.h>

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

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const int idleSeconds = arguments.contains(u"--idle-seconds"_s)
        ? arguments.value(arguments.indexOf(u"--idle-seconds"_s) + 1).toInt()
        : 60;
    const int rounds
        = arguments.contains(u"--rounds"_s) ? arguments.value(arguments.indexOf(u"--rounds"_s) + 1).toInt() : 10;
    const QString kavri = QDir(QApplication::applicationDirPath()).filePath(u"../kavri"_s);

    QTemporaryDir home;
    {
        // No cards in the way of the next round.
        kavri::UserDefaults settings(home.filePath(u"config/Kavri/defaults.plist"_s));
        settings.set(u"showResultPopup"_s, false);
        settings.set(u"soundEffectsEnabled"_s, false);
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
    env.insert(u"XDG_DATA_HOME"_s, home.filePath(u"data"_s));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedChannels);

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
    const auto after = usage(process.processId());
    std::printf(
        "idle: CPU %.2f %%, resident %.1f MB\n", 100.0 * (after.first - before.first) / idleSeconds, after.second);

    QLabel sample;
    sample.setPixmap(sampleText());
    sample.move(100, 100);
    sample.show();
    wait(500);
    const QPoint from = sample.mapToGlobal(QPoint(0, 0));
    QList<double> times;
    QClipboard *clipboard = QApplication::clipboard();
    for (int round = 0; round <= rounds; ++round) {
        clipboard->setText(u"-"_s);
        wait(200);
        xdotool({ u"key"_s, u"ctrl+shift+8"_s });
        run(u"xdotool"_s, { u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--name"_s, u"^kavri-screencapture$"_s });
        xdotool({ u"mousemove"_s, QString::number(from.x()), QString::number(from.y()), u"mousedown"_s, u"1"_s,
            u"mousemove"_s, QString::number(from.x() + 40), QString::number(from.y() + 40), u"mousemove"_s,
            QString::number(from.x() + 800), QString::number(from.y() + 200) });
        // Timed by the clipboard's own change notice, not by asking its owner over and over.
        QElapsedTimer release;
        qint64 changedAt = -1;
        // The captured image comes first; the text follows once it is recognised.
        const auto connection = QObject::connect(clipboard, &QClipboard::dataChanged, [&] {
            if (changedAt < 0 && clipboard->text().contains(u"quick brown fox"_s))
                changedAt = release.nsecsElapsed();
        });
        release.start();
        QProcess::startDetached(u"xdotool"_s, { u"mouseup"_s, u"1"_s });
        while (changedAt < 0 && release.elapsed() < 20000)
            wait(1);
        QObject::disconnect(connection);
        const bool read = clipboard->text().contains(u"quick brown fox"_s);
        if (!read)
            std::printf("round %d: the clipboard did not get the text\n", round);
        // The first round warms the engine up.
        if (round > 0 && read)
            times.append(double(changedAt) / 1e6);
        while (xdotool({ u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"^kavri-screencapture$"_s }))
            wait(20);
    }
    if (times.isEmpty())
        return 1;
    std::printf("mouse release to text on the clipboard (800 x 200, 13 px text): median %.0f ms, min %.0f, max %.0f "
                "over %d rounds\n",
        median(times), *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()),
        int(times.size()));
    process.terminate();
    process.waitForFinished();
    return 0;
}
