// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The real kavri on a private desktop with a tray, driven only from outside as a user would: a
// shortcut, a drag over text or a code on screen, then the clipboard and the result card. Each
// card is saved as a screenshot in the artefacts folder.
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "support/LocalHttpServer.h"
#include "support/TestImages.h"
#include "support/X11Tools.h"

using namespace Qt::StringLiterals;
using kavri::test::runX11Tool;

namespace {

bool xdotool(const QStringList &arguments, QByteArray *output = nullptr)
{
    return runX11Tool(u"xdotool"_s, arguments, output);
}

QByteArray clipboardText()
{
    QByteArray text;
    runX11Tool(u"xclip"_s, { u"-selection"_s, u"clipboard"_s, u"-o"_s }, &text);
    return text;
}

// The window ids of visible windows titled exactly \a title.
QByteArray windowsTitled(const QString &title)
{
    QByteArray ids;
    xdotool({ u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"^"_s + title + u"$"_s }, &ids);
    return ids.trimmed();
}

// The streams playing on the session's sound server, one per line.
QByteArray soundStreams()
{
    QByteArray streams;
    runX11Tool(u"pactl"_s, { u"list"_s, u"short"_s, u"sink-inputs"_s }, &streams);
    return streams.trimmed();
}

// Position and size of a window, from xdotool's shell output.
QRect geometryOf(const QByteArray &id)
{
    QByteArray shell;
    xdotool({ u"getwindowgeometry"_s, u"--shell"_s, QString::fromLatin1(id) }, &shell);
    QHash<QByteArray, int> values;
    for (const QByteArray &line : shell.split('\n')) {
        const QList<QByteArray> pair = line.split('=');
        if (pair.size() == 2)
            values.insert(pair[0], pair[1].toInt());
    }
    return { values.value("X"), values.value("Y"), values.value("WIDTH"), values.value("HEIGHT") };
}

// Kavri's visible windows of about the given size, smallest first.
QList<QRect> kavriWindows(const QByteArray &name)
{
    QByteArray ids;
    xdotool({ u"search"_s, u"--onlyvisible"_s, u"--class"_s, u"kavri"_s }, &ids);
    QList<QRect> windows;
    for (const QByteArray &id : ids.trimmed().split('\n')) {
        if (id.isEmpty())
            continue;
        QByteArray title;
        xdotool({ u"getwindowname"_s, QString::fromLatin1(id) }, &title);
        if (name.isEmpty() || title.trimmed() == name)
            windows.append(geometryOf(id));
    }
    std::sort(windows.begin(), windows.end(), [](QRect a, QRect b) { return a.width() < b.width(); });
    return windows;
}

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QProcess m_kavri;
    QLabel m_sample;
    // The maker's host: the configuration names a news page there, and the update feed is empty.
    LocalHttpServer m_server;

    bool requested(const QByteArray &path) const
    {
        return std::any_of(m_server.requests().cbegin(), m_server.requests().cend(),
            [&path](const LocalHttpServer::Request &request) { return request.path.startsWith(path); });
    }
    QRect m_textArea;
    QRect m_codeArea;

    void dragOver(const QRect &area)
    {
        const QRect global(m_sample.mapToGlobal(area.topLeft()), area.size());
        QVERIFY2(runX11Tool(u"xdotool"_s,
                     { u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--name"_s, u"^kavri-screencapture$"_s }),
            "the selection overlay never showed");
        QVERIFY(xdotool({ u"mousemove"_s, QString::number(global.left()), QString::number(global.top()), u"mousedown"_s,
            u"1"_s, u"mousemove"_s, QString::number(global.left() + 20), QString::number(global.top() + 10),
            u"mousemove"_s, QString::number(global.right()), QString::number(global.bottom()), u"mouseup"_s, u"1"_s }));
    }

    // Waits for the card titled \a title, saves its picture, and closes it with Escape.
    void expectCard(const QString &title, const QString &artefact)
    {
        QTRY_VERIFY_WITH_TIMEOUT(!windowsTitled(title).isEmpty(), 20000);
        const QByteArray id = windowsTitled(title).split('\n').first();
        const QString artefacts = qEnvironmentVariable("KAVRI_ARTIFACTS");
        if (!artefacts.isEmpty()) {
            QDir().mkpath(artefacts);
            QTest::qWait(300); // painted
            runX11Tool(
                u"import"_s, { u"-window"_s, QString::fromLatin1(id), QDir(artefacts).filePath(artefact + u".png"_s) });
        }
        QVERIFY(xdotool({ u"key"_s, u"Escape"_s }));
        QTRY_VERIFY(windowsTitled(title).isEmpty());
    }

private Q_SLOTS:
    void initTestCase()
    {
        const QImage text = kavri::test::renderText({ u"Kavri reads this line"_s }, 28);
        const QImage code
            = kavri::test::renderCode(ZXing::BarcodeFormat::QRCode, u"WIFI:S:Cafe;T:WPA;P:secret-42;;"_s, 5);
        const QImage canvas = kavri::test::sideBySide({ text, code });
        // sideBySide puts each image 40 px from the top, 40 px apart.
        m_textArea = QRect(QPoint(40 - 4, 40 - 4), text.size() + QSize(8, 8));
        m_codeArea = QRect(QPoint(40 + text.width() + 40 - 8, 40 - 8), code.size() + QSize(16, 16));
        m_sample.setPixmap(QPixmap::fromImage(canvas));
        m_sample.setWindowTitle(u"Sample"_s);
        m_sample.move(40, 40);
        m_sample.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_sample));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_CONFIG_HOME"_s, m_home.filePath(u"config"_s));
        env.insert(u"XDG_DATA_HOME"_s, m_home.filePath(u"data"_s));
        env.insert(u"KAVRI_SERVER_BASE"_s, m_server.base());
        m_server.setHandler([](const LocalHttpServer::Request &request) -> LocalHttpServer::Response {
            if (request.path == "/kavri/beta/appcast.xml")
                return { 200, "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel></channel></rss>", {} };
            return { 404, {}, {} };
        });
        // A configuration cached by an earlier run, naming a news page (which is not there).
        QVERIFY(QDir().mkpath(m_home.filePath(u"data/Kavri"_s)));
        QFile cache(m_home.filePath(u"data/Kavri/app-config-" KAVRI_VERSION ".plist"_s));
        QVERIFY(cache.open(QIODevice::WriteOnly));
        cache.write("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>9</key><string>"
            + m_server.url(u"/news.html"_s).toEncoded() + "</string></dict></plist>");
        cache.close();
        env.remove(u"QT_QPA_PLATFORM"_s);
        m_kavri.setProcessEnvironment(env);
        m_kavri.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_kavri.start(QStringLiteral(KAVRI_BINARY), {});
        QVERIFY(m_kavri.waitForStarted());
        // The tray icon is Kavri's only window at start.
        QTRY_VERIFY_WITH_TIMEOUT(xdotool({ u"search"_s, u"--class"_s, u"kavri"_s }), 15000);
    }

    void cleanupTestCase()
    {
        m_kavri.terminate();
        QVERIFY(m_kavri.waitForFinished(10000));
        QCOMPARE(m_kavri.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_kavri.exitCode(), 0);
    }

    void textGoesToTheClipboardAndTheCardSaysSo()
    {
        QVERIFY(xdotool({ u"key"_s, u"ctrl+shift+8"_s }));
        dragOver(m_textArea);
        QTRY_COMPARE_WITH_TIMEOUT(clipboardText().trimmed(), QByteArray("Kavri reads this line"), 20000);
        expectCard(u"Text Captured"_s, u"popup-text-captured"_s);
    }

    // With the sound server playing the capture sound each time, as on a user's desktop.
    void tenCapturesInARowWithSoundEachGiveTheirText()
    {
        for (int round = 0; round < 10; ++round) {
            QVERIFY(kavri::test::putOnClipboardWithXclip("round", u"UTF8_STRING"_s));
            QTRY_COMPARE(clipboardText(), QByteArray("round"));
            QVERIFY(xdotool({ u"key"_s, u"ctrl+shift+8"_s }));
            dragOver(m_textArea);
            QTRY_COMPARE_WITH_TIMEOUT(clipboardText().trimmed(), QByteArray("Kavri reads this line"), 20000);
            if (round == 0) // the sound reaches the sound server
                QTRY_VERIFY_WITH_TIMEOUT(!soundStreams().isEmpty(), 5000);
            QTRY_VERIFY_WITH_TIMEOUT(!windowsTitled(u"Text Captured"_s).isEmpty(), 20000);
            QVERIFY(xdotool({ u"key"_s, u"Escape"_s }));
            QTRY_VERIFY(windowsTitled(u"Text Captured"_s).isEmpty());
        }
    }

    void aWiFiCodeLeavesThePasswordOnTheClipboard()
    {
        QVERIFY(xdotool({ u"key"_s, u"ctrl+shift+9"_s }));
        dragOver(m_codeArea);
        QTRY_COMPARE_WITH_TIMEOUT(clipboardText(), QByteArray("secret-42"), 20000);
        expectCard(u"QR Code Captured"_s, u"popup-qr-code-captured"_s);
    }

    void aDismissedSelectionSaysNothingWasCaptured()
    {
        QVERIFY(xdotool({ u"key"_s, u"ctrl+shift+8"_s }));
        QVERIFY(runX11Tool(
            u"xdotool"_s, { u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--name"_s, u"^kavri-screencapture$"_s }));
        QVERIFY(xdotool({ u"key"_s, u"Escape"_s }));
        expectCard(u"Capture Cancelled"_s, u"popup-capture-cancelled"_s);
    }

    void aClickOnTheTrayIconOpensTheWindowBesideIt()
    {
        // The tray icon is the smallest of Kavri's windows.
        const QList<QRect> windows = kavriWindows({});
        QVERIFY(!windows.isEmpty());
        const QRect icon = windows.first();
        QVERIFY2(icon.width() <= 64, qPrintable(u"%1x%2"_s.arg(icon.width()).arg(icon.height())));
        QVERIFY(xdotool({ u"mousemove"_s, QString::number(icon.center().x()), QString::number(icon.center().y()),
            u"click"_s, u"1"_s }));
        QTRY_VERIFY_WITH_TIMEOUT(!windowsTitled(u"Kavri"_s).isEmpty(), 10000);
        const QByteArray id = windowsTitled(u"Kavri"_s).split('\n').first();
        const QRect window = geometryOf(id);
        // The trayer sits at the bottom right: the window opens just above the icon, its right edge
        // at the icon's.
        QVERIFY2(window.bottom() < icon.top() && icon.top() - window.bottom() < 16,
            qPrintable(
                u"window %1,%2 %3x%4"_s.arg(window.x()).arg(window.y()).arg(window.width()).arg(window.height())));
        QVERIFY(qAbs(window.right() - icon.right()) < 16);
        const QString artefacts = qEnvironmentVariable("KAVRI_ARTIFACTS");
        if (!artefacts.isEmpty()) {
            QTest::qWait(300); // painted
            runX11Tool(u"import"_s,
                { u"-window"_s, QString::fromLatin1(id),
                    QDir(artefacts).filePath(u"menubar-window-last-capture.png"_s) });
        }
        QVERIFY(xdotool({ u"key"_s, u"Escape"_s }));
        QTRY_VERIFY(windowsTitled(u"Kavri"_s).isEmpty());
    }

    // The configuration download and the news probe start with Kavri; the gear menu's "Check for
    // Updates..." asks the feed and answers in a window.
    void theBackgroundServicesRunAgainstTheHost()
    {
        QTRY_VERIFY_WITH_TIMEOUT(requested("/kavri/configurations/app-config-"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(requested("/news.html"), 10000);

        QVERIFY(runX11Tool(QStringLiteral(KAVRI_BINARY), { u"--toggle-menu"_s }));
        QTRY_VERIFY_WITH_TIMEOUT(!windowsTitled(u"Kavri"_s).isEmpty(), 10000);
        const QRect window = geometryOf(windowsTitled(u"Kavri"_s).split('\n').first());
        // The gear sits in the bottom right corner.
        QVERIFY(xdotool({ u"mousemove"_s, QString::number(window.right() - 25), QString::number(window.bottom() - 25),
            u"click"_s, u"1"_s }));
        QTest::qWait(300); // the menu is up
        QVERIFY(xdotool({ u"key"_s, u"Down"_s, u"Return"_s }));
        QTRY_VERIFY_WITH_TIMEOUT(requested("/kavri/beta/appcast.xml"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!windowsTitled(u"Software Update"_s).isEmpty(), 10000);
        QTest::qWait(200);
        QVERIFY(xdotool({ u"key"_s, u"Return"_s }));
        QTRY_VERIFY(windowsTitled(u"Software Update"_s).isEmpty());
        if (!windowsTitled(u"Kavri"_s).isEmpty())
            QVERIFY(xdotool({ u"key"_s, u"Escape"_s }));
    }

    // The Import submenu and the settings window, from the keyboard; both must also survive the
    // end of the process (cleanupTestCase checks the exit status).
    void theWindowLeadsToImportAndSettings()
    {
        QVERIFY(runX11Tool(QStringLiteral(KAVRI_BINARY), { u"--toggle-menu"_s }));
        QTRY_VERIFY_WITH_TIMEOUT(!windowsTitled(u"Kavri"_s).isEmpty(), 10000);
        QTest::qWait(200); // focused
        QVERIFY(xdotool({ u"key"_s, u"Down"_s, u"Down"_s, u"Down"_s, u"Return"_s }));
        QTest::qWait(500); // the submenu is up
        QVERIFY(xdotool({ u"key"_s, u"Escape"_s, u"Down"_s, u"Return"_s }));
        QTRY_VERIFY_WITH_TIMEOUT(!windowsTitled(u"General"_s).isEmpty(), 10000);
        QVERIFY(windowsTitled(u"Kavri"_s).isEmpty());
    }
};

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
