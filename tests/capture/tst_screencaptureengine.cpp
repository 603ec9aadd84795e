// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The region capture against small stand-in tools (shell scripts that behave like the real
// tool in each way it can end), with the real (offscreen) clipboard.
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "capture/ScreenCaptureEngine.h"
#include "platform/Pasteboard.h"
#include "support/CaptureFakes.h"

using namespace Qt::StringLiterals;
using namespace kavri;
using namespace kavri::test;

class TestScreenCaptureEngine : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_sounds = 0;

    ScreenCaptureEngine engineFor(Pasteboard &pasteboard, const FakeScreenAccess &access, const QString &toolPath)
    {
        return ScreenCaptureEngine(pasteboard, access, toolPath, [this] { ++m_sounds; });
    }

    // A tool script that first records its arguments in args.log.
    QString tool(const QString &body, bool executable = true, const QByteArray &interpreter = "/bin/sh")
    {
        const QString path = m_dir.filePath(u"tool"_s);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        file.write("#!" + interpreter + '\n');
        file.write(u"echo \"$@\" > '%1'\n%2\n"_s.arg(m_dir.filePath(u"args.log"_s), body).toUtf8());
        file.setPermissions(
            QFile::ReadOwner | QFile::WriteOwner | (executable ? QFile::ExeOwner : QFile::Permissions()));
        return path;
    }
    QStringList lastArguments() const
    {
        QFile log(m_dir.filePath(u"args.log"_s));
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).trimmed().split(u' ');
    }
    static Outcome<QImage> capture(ScreenCaptureEngine &engine, bool playSound)
    {
        QFuture<Outcome<QImage>> future = engine.captureRegion(playSound);
        // The evaluation hops through the event loop; wait without blocking it.
        if (!QTest::qWaitFor([&] { return future.isFinished(); }, 20000))
            qFatal("capture did not finish");
        return future.result();
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void init()
    {
        QFile::remove(m_dir.filePath(u"args.log"_s));
        QGuiApplication::clipboard()->setText(u"before"_s);
    }

    void selectedRegionArrivesAndStaysOnTheClipboard_data()
    {
        QTest::addColumn<QString>("after"); // what the tool does once the image is written
        QTest::addColumn<bool>("playSound");
        QTest::newRow("exits, sound on") << u"exit 0"_s << true;
        QTest::newRow("exits, sound off") << u"exit 0"_s << false;
        // The image is whole: the selection survives a tool that dies afterwards.
        QTest::newRow("crashes after writing") << u"kill -SEGV $$"_s << true;
        QTest::newRow("killed after writing") << u"kill -KILL $$"_s << false;
        QTest::newRow("fails after writing") << u"exit 1"_s << true;
    }
    void selectedRegionArrivesAndStaysOnTheClipboard()
    {
        QFETCH(QString, after);
        QFETCH(bool, playSound);
        QImage pattern(31, 17, QImage::Format_RGB32);
        for (int y = 0; y < pattern.height(); ++y)
            for (int x = 0; x < pattern.width(); ++x)
                pattern.setPixel(x, y, qRgb(x * 8, y * 15, (x * y) % 256));
        QVERIFY(pattern.save(m_dir.filePath(u"pattern.png"_s)));
        Pasteboard pasteboard(QGuiApplication::clipboard());
        FakeScreenAccess access;
        ScreenCaptureEngine engine
            = engineFor(pasteboard, access, tool(u"cp '%1' \"$2\"\n%2"_s.arg(m_dir.filePath(u"pattern.png"_s), after)));
        m_sounds = 0;

        const Outcome<QImage> outcome = capture(engine, playSound);
        QVERIFY(std::holds_alternative<QImage>(outcome));
        QCOMPARE(std::get<QImage>(outcome), pattern);
        const auto onClipboard = pasteboard.readImage();
        QVERIFY(std::holds_alternative<QImage>(onClipboard));
        QCOMPARE(std::get<QImage>(onClipboard), pattern);
        QCOMPARE(m_sounds, playSound ? 1 : 0);

        const QStringList arguments = lastArguments();
        QCOMPARE(arguments.size(), 2);
        // The tool never plays the sound itself: it would hold the result until the sound ends.
        QCOMPARE(arguments[0], u"-csx"_s);
        QVERIFY2(!QFileInfo::exists(QFileInfo(arguments[1]).path()), "the temporary image outlived the capture");
    }

    void failures_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("executable");
        QTest::addColumn<QList<bool>>("access"); // the answers to each permission query
        QTest::addColumn<KavriError::Kind>("expected");
        QTest::addColumn<int>("permissionQueries");
        QTest::addColumn<QString>("logged"); // at info level, which release builds keep
        const QList<bool> granted { true };
        QTest::newRow("dismissed: no file, status 0")
            << u"exit 0"_s << true << granted << KavriError::Kind::cancelled << 2 << QString();
        QTest::newRow("permission lost during the selection")
            << u"exit 0"_s << true << QList<bool> { true, false } << KavriError::Kind::permissionDenied << 2
            << u"screencapture succeeded but permission check failed"_s;
        QTest::newRow("a broken file counts even with a failure status")
            << u"printf 'broken' > \"$2\"; exit 3"_s << true << granted << KavriError::Kind::noImageInPasteboard << 1
            << u"screencapture wrote no readable image"_s;
        QTest::newRow("no file, status 3: no second query")
            << u"exit 3"_s << true << granted << KavriError::Kind::permissionDenied << 1
            << u"screencapture failed with non-zero exit status 3"_s;
        QTest::newRow("killed by a signal before writing")
            << u"kill -SEGV $$"_s << true << granted << KavriError::Kind::captureFailed << 1
            << u"screencapture crashed"_s;
        QTest::newRow("killed while writing") << u"printf 'broken' > \"$2\"; kill -KILL $$"_s << true << granted
                                              << KavriError::Kind::captureFailed << 1 << u"screencapture crashed"_s;
        // Never started: the user is asked for access instead.
        QTest::newRow("no permission") << u"exit 0"_s << true << QList<bool> { false }
                                       << KavriError::Kind::permissionDenied << 1 << u"screen access error"_s;
        QTest::newRow("cannot be run at all")
            << u"exit 0"_s << false << granted << KavriError::Kind::permissionDenied << 1 << u"cannot be run"_s;
    }
    void failures()
    {
        QFETCH(QString, body);
        QFETCH(bool, executable);
        QFETCH(QList<bool>, access);
        QFETCH(KavriError::Kind, expected);
        QFETCH(int, permissionQueries);
        QFETCH(QString, logged);
        if (!logged.isEmpty())
            QTest::ignoreMessage(QtInfoMsg, QRegularExpression(QRegularExpression::escape(logged)));
        Pasteboard pasteboard(QGuiApplication::clipboard());
        FakeScreenAccess screenAccess;
        screenAccess.answers = access;
        ScreenCaptureEngine engine = engineFor(pasteboard, screenAccess, tool(body, executable));
        m_sounds = 0;

        const Outcome<QImage> outcome = capture(engine, true);
        QVERIFY(std::holds_alternative<KavriError>(outcome));
        QCOMPARE(std::get<KavriError>(outcome).kind(), expected);
        QCOMPARE(screenAccess.asked(), permissionQueries);
        QCOMPARE(m_sounds, 0);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"before"_s);
        const QStringList arguments = lastArguments();
        QCOMPARE(screenAccess.requests(), arguments.isEmpty() ? 1 : 0);
        if (!arguments.isEmpty()) {
            QCOMPARE(arguments.value(0), u"-csx"_s);
            QVERIFY(!QFileInfo::exists(QFileInfo(arguments.value(1)).path()));
        }
    }

    void launchFailure()
    {
        // Executable, so permission is granted, but exec fails on the missing interpreter.
        Pasteboard pasteboard(QGuiApplication::clipboard());
        FakeScreenAccess access;
        ScreenCaptureEngine engine = engineFor(pasteboard, access, tool(u"exit 0"_s, true, "/nonexistent/shell"));
        const Outcome<QImage> outcome = capture(engine, true);
        QVERIFY(std::holds_alternative<KavriError>(outcome));
        QCOMPARE(std::get<KavriError>(outcome).kind(), KavriError::Kind::captureFailed);
    }
};

QTEST_MAIN(TestScreenCaptureEngine)
#include "tst_screencaptureengine.moc"
