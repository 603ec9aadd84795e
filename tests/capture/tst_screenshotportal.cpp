// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The Wayland path, against a stand-in screenshot portal on a private session bus: the tool's
// three endings, and whether Kavri counts the portal as screen access.
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "platform/DesktopScreenAccess.h"

using namespace Qt::StringLiterals;

class TestScreenshotPortal : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QProcess m_portal;

    void startPortal(const QStringList &arguments)
    {
        m_portal.start(QStringLiteral(KAVRI_FAKE_PORTAL), arguments);
        QVERIFY(m_portal.waitForReadyRead(10000));
        QCOMPARE(m_portal.readLine().trimmed(), QByteArray("ready"));
    }
    QString output() const { return m_dir.filePath(u"region.png"_s); }
    int runToolOnWayland()
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"WAYLAND_DISPLAY"_s, u"wayland-kavri-test"_s);
        environment.insert(u"XDG_SESSION_TYPE"_s, u"wayland"_s);
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral(KAVRI_SCREENCAPTURE_TOOL), { u"-csx"_s, output() });
        if (!tool.waitForFinished(15000))
            return -1;
        return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("needs a session bus (run through tests/support/desktop-session)");
        QVERIFY(m_dir.isValid());
    }
    void cleanup()
    {
        m_portal.kill();
        m_portal.waitForFinished();
        QFile::remove(output());
        QTRY_VERIFY(
            !QDBusConnection::sessionBus().interface()->isServiceRegistered(u"org.freedesktop.portal.Desktop"_s));
    }

    void acceptedScreenshotIsCopied()
    {
        QImage shot(23, 11, QImage::Format_RGB32);
        shot.fill(qRgb(10, 200, 30));
        const QString delivered = m_dir.filePath(u"portal-shot.png"_s);
        QVERIFY(shot.save(delivered));
        startPortal({ u"accept"_s, delivered });
        QCOMPARE(runToolOnWayland(), 0);
        QCOMPARE(QImage(output()).convertToFormat(QImage::Format_RGB32), shot);
    }
    void cancelledWritesNothing()
    {
        startPortal({ u"cancel"_s });
        QCOMPARE(runToolOnWayland(), 0);
        QVERIFY(!QFileInfo::exists(output()));
    }
    void failureIsAnError()
    {
        startPortal({ u"fail"_s });
        QCOMPARE(runToolOnWayland(), 1);
        QVERIFY(!QFileInfo::exists(output()));
    }
    void noPortalIsAnError() { QCOMPARE(runToolOnWayland(), 1); }

    void screenAccessFollowsThePortal()
    {
        qputenv("WAYLAND_DISPLAY", "wayland-kavri-test");
        const kavri::DesktopScreenAccess access;
        QVERIFY(!access.unavailableReason().isEmpty());
        startPortal({ u"cancel"_s });
        QCOMPARE(access.unavailableReason(), QString());
        qunsetenv("WAYLAND_DISPLAY");
        QVERIFY(!access.unavailableReason().isEmpty());
    }
};

int main(int argc, char *argv[])
{
    // Not on X11, or the X11 answer would hide the portal's.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TestScreenshotPortal test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screenshotportal.moc"
