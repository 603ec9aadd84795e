// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Launch at login over a real autostart folder in a temporary XDG_CONFIG_HOME: the entry is the
// state, read afresh every time, and a folder that cannot be written leaves the switch off with
// one logged line.
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "settings/LaunchAtLogin.h"

using namespace Qt::StringLiterals;
using namespace kavri;

class TestLaunchAtLogin : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_config;

    static QString readEntry()
    {
        QFile file(LaunchAtLogin::entryPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    static void writeEntry(const QByteArray &text)
    {
        QDir().mkpath(QFileInfo(LaunchAtLogin::entryPath()).absolutePath());
        QFile file(LaunchAtLogin::entryPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

private Q_SLOTS:
    void init()
    {
        m_config = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", m_config->path().toUtf8());
        QCOMPARE(LaunchAtLogin::entryPath(), m_config->filePath(u"autostart/kavri.desktop"_s));
    }

    void onOnAgainOff()
    {
        const QString program = u"/opt/My Apps/kavri"_s;
        LaunchAtLogin launch(program);
        QVERIFY(!launch.isEnabled());
        QSignalSpy before(&launch, &LaunchAtLogin::aboutToChange);

        launch.setEnabled(true);
        QVERIFY(launch.isEnabled());
        QVERIFY(readEntry().contains(u"\nExec=\"/opt/My Apps/kavri\"\n"_s));
        QCOMPARE(before.size(), 1);

        // A stale entry (an old executable) is written afresh when switched on again.
        writeEntry(readEntry().replace(program, u"/old/kavri"_s).toUtf8());
        launch.setEnabled(true);
        QVERIFY(launch.isEnabled());
        QVERIFY(readEntry().contains(program));
        QVERIFY(!readEntry().contains(u"/old/kavri"_s));

        launch.setEnabled(false);
        QVERIFY(!launch.isEnabled());
        QVERIFY(!QFile::exists(LaunchAtLogin::entryPath()));
        launch.setEnabled(false); // nothing there: no failure
        QCOMPARE(before.size(), 4);
    }

    // The state is the file, whoever changed it: nothing is cached.
    void stateIsReadFromTheEntryEveryTime_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("removedWhenTurnedOff");
        QTest::newRow("Kavri's") << QByteArray("[Desktop Entry]\nExec=kavri\nX-Kavri-Autostart=true\n") << true << true;
        QTest::newRow("switched off by the desktop")
            << QByteArray("[Desktop Entry]\nX-GNOME-Autostart-enabled=false\nX-Kavri-Autostart=true\n") << false
            << true;
        QTest::newRow("someone else's") << QByteArray("[Desktop Entry]\nExec=other\n") << false << false;
        QTest::newRow("marker outside the main group")
            << QByteArray("[Desktop Entry]\nExec=kavri\n[Desktop Action x]\nX-Kavri-Autostart=true\n") << false
            << false;
    }

    void stateIsReadFromTheEntryEveryTime()
    {
        QFETCH(QByteArray, entry);
        QFETCH(bool, enabled);
        QFETCH(bool, removedWhenTurnedOff);
        LaunchAtLogin launch(u"/usr/bin/kavri"_s);
        QVERIFY(!launch.isEnabled());
        writeEntry(entry);
        QCOMPARE(launch.isEnabled(), enabled);
        launch.setEnabled(false);
        QCOMPARE(QFile::exists(LaunchAtLogin::entryPath()), !removedWhenTurnedOff);
    }

    void unwritableFolderFailsLogsAndReadsBackOff()
    {
        QFile blocker(m_config->filePath(u"autostart"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        LaunchAtLogin launch(u"/usr/bin/kavri"_s);
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(u"^Failed to enable launch at login: .+"_s));
        QTest::failOnWarning(QRegularExpression(u".*"_s));
        launch.setEnabled(true);
        QVERIFY(!launch.isEnabled());
    }
};

QTEST_GUILESS_MAIN(TestLaunchAtLogin)
#include "tst_launchatlogin.moc"
