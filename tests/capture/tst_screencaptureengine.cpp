// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The region capture against small stand-in tools (shell scripts that behave like the real
// tool in each way it can end), with the real (offscreen) clipboard.
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
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
    QImage m_pattern;

    // A tool script; every tool first records its arguments in args.log.
    QString tool(const QString &name, const QString &body, bool executable = true)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        file.write(u"#!/bin/sh\necho \"$@\" > '%1'\n%2\n"_s.arg(m_dir.filePath(u"args.log"_s), body).toUtf8());
        file.setPermissions(
            executable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner : QFile::ReadOwner | QFile::WriteOwner);
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
    static bool isError(const Outcome<QImage> &outcome, KavriError::Kind kind)
    {
        const auto *error = std::get_if<KavriError>(&outcome);
        return error && error->kind() == kind;
    }

private Q_SLOTS:
    void initTestCase();
    void init() { QFile::remove(m_dir.filePath(u"args.log"_s)); }
    void selectedRegionArrivesAndStaysOnTheClipboard();
    void outcomes_data();
    void outcomes();
    void launchFailure();
    void missingPermissionNeverStartsTheTool();
    void permissionLostDuringSelection();
};

void TestScreenCaptureEngine::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_pattern = QImage(31, 17, QImage::Format_RGB32);
    for (int y = 0; y < m_pattern.height(); ++y)
        for (int x = 0; x < m_pattern.width(); ++x)
            m_pattern.setPixel(x, y, qRgb(x * 8, y * 15, (x * y) % 256));
    QVERIFY(m_pattern.save(m_dir.filePath(u"pattern.png"_s)));
}

void TestScreenCaptureEngine::selectedRegionArrivesAndStaysOnTheClipboard()
{
    QGuiApplication::clipboard()->setText(u"before"_s);
    Pasteboard pasteboard(QGuiApplication::clipboard());
    FakeScreenAccess access;
    ScreenCaptureEngine engine(
        pasteboard, access, tool(u"writes-png"_s, u"cp '%1' \"$2\""_s.arg(m_dir.filePath(u"pattern.png"_s))));

    const Outcome<QImage> outcome = capture(engine, true);
    QVERIFY(std::holds_alternative<QImage>(outcome));
    QCOMPARE(std::get<QImage>(outcome), m_pattern);
    const auto onClipboard = pasteboard.readImage();
    QVERIFY(std::holds_alternative<QImage>(onClipboard));
    QCOMPARE(std::get<QImage>(onClipboard), m_pattern);

    const QStringList arguments = lastArguments();
    QCOMPARE(arguments.size(), 2);
    QCOMPARE(arguments[0], u"-cs"_s);
    QVERIFY2(!QFileInfo::exists(arguments[1]), "the temporary image outlived the capture");
    QVERIFY(!QFileInfo::exists(QFileInfo(arguments[1]).path()));
}

void TestScreenCaptureEngine::outcomes_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<KavriError::Kind>("expected");
    QTest::addColumn<int>("permissionQueries");
    QTest::newRow("dismissed: no file, status 0") << u"exit 0"_s << true << KavriError::Kind::cancelled << 2;
    QTest::newRow("garbage instead of a PNG")
        << u"printf 'not a png' > \"$2\""_s << true << KavriError::Kind::noImageInPasteboard << 1;
    QTest::newRow("a file and a failure status still count as the file")
        << u"printf 'broken' > \"$2\"; exit 3"_s << true << KavriError::Kind::noImageInPasteboard << 1;
    QTest::newRow("no file, status 3: no second query")
        << u"exit 3"_s << true << KavriError::Kind::permissionDenied << 1;
    QTest::newRow("killed by a signal") << u"kill -SEGV $$"_s << true << KavriError::Kind::captureFailed << 1;
    QTest::newRow("cannot be run at all") << u"exit 0"_s << false << KavriError::Kind::permissionDenied << 1;
}

void TestScreenCaptureEngine::outcomes()
{
    QFETCH(QString, body);
    QFETCH(bool, executable);
    QFETCH(KavriError::Kind, expected);
    QFETCH(int, permissionQueries);
    QGuiApplication::clipboard()->setText(u"before"_s);
    Pasteboard pasteboard(QGuiApplication::clipboard());
    FakeScreenAccess access;
    ScreenCaptureEngine engine(pasteboard, access, tool(u"tool"_s, body, executable));

    QVERIFY(isError(capture(engine, false), expected));
    QCOMPARE(access.asked(), permissionQueries);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"before"_s);
    const QStringList arguments = lastArguments();
    if (executable) {
        QCOMPARE(arguments.value(0), u"-csx"_s);
        QVERIFY(!QFileInfo::exists(QFileInfo(arguments.value(1)).path()));
    }
}

void TestScreenCaptureEngine::launchFailure()
{
    // Executable, so permission is granted, but exec fails on the missing interpreter.
    const QString path = m_dir.filePath(u"no-interpreter"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/nonexistent/shell\n");
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    Pasteboard pasteboard(QGuiApplication::clipboard());
    FakeScreenAccess access;
    ScreenCaptureEngine engine(pasteboard, access, path);
    QVERIFY(isError(capture(engine, true), KavriError::Kind::captureFailed));
}

void TestScreenCaptureEngine::missingPermissionNeverStartsTheTool()
{
    Pasteboard pasteboard(QGuiApplication::clipboard());
    FakeScreenAccess access;
    access.answers = { false };
    ScreenCaptureEngine engine(pasteboard, access, tool(u"tool"_s, u"exit 0"_s));
    for (int attempt = 1; attempt <= 2; ++attempt) {
        QVERIFY(isError(capture(engine, true), KavriError::Kind::permissionDenied));
        QCOMPARE(access.requests(), attempt);
    }
    QVERIFY(lastArguments().isEmpty());
}

void TestScreenCaptureEngine::permissionLostDuringSelection()
{
    Pasteboard pasteboard(QGuiApplication::clipboard());
    FakeScreenAccess access;
    access.answers = { true, false };
    ScreenCaptureEngine engine(pasteboard, access, tool(u"tool"_s, u"exit 0"_s));
    QVERIFY(isError(capture(engine, true), KavriError::Kind::permissionDenied));
    QCOMPARE(access.asked(), 2);
}

QTEST_MAIN(TestScreenCaptureEngine)
#include "tst_screencaptureengine.moc"
