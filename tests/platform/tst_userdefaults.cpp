// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The settings store on a real file: types survive a restart, a broken file never costs the
// user's only copy, and a failed write loses nothing in the running session.
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "platform/UserDefaults.h"

using namespace Qt::StringLiterals;
using kavri::UserDefaults;

class TestUserDefaults : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(u"Kavri/defaults.plist"_s); }

private Q_SLOTS:
    void init()
    {
        QFile::remove(path());
        QFile::remove(path() + u".corrupt"_s);
    }

    void typesSurviveARestart()
    {
        const QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7), Qt::UTC); // kept to the second
        {
            UserDefaults defaults(path());
            QSignalSpy changes(&defaults, &UserDefaults::changed);
            defaults.set(u"flag"_s, true);
            defaults.set(u"duration"_s, 5.5);
            defaults.set(u"count"_s, qint64(-3));
            defaults.set(u"language"_s, u"de-DE, \u00FC <&>"_s);
            defaults.set(u"next"_s, when);
            defaults.set(u"gone"_s, qint64(1));
            defaults.remove(u"gone"_s);
            defaults.remove(u"never there"_s);
            QCOMPARE(changes.count(), 7);
            QCOMPARE(changes.last().first().toString(), u"gone"_s);
        }
        const UserDefaults reread(path());
        QCOMPARE(reread.object(u"flag"_s), UserDefaults::Value(true));
        QCOMPARE(reread.object(u"duration"_s), UserDefaults::Value(5.5));
        QCOMPARE(reread.object(u"count"_s), UserDefaults::Value(qint64(-3)));
        QCOMPARE(reread.object(u"language"_s), UserDefaults::Value(u"de-DE, \u00FC <&>"_s));
        QCOMPARE(reread.object(u"next"_s), UserDefaults::Value(when));
        QVERIFY(std::holds_alternative<std::monostate>(reread.object(u"gone"_s)));
    }

    void brokenFileIsMovedAsideNotOverwritten_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not XML") << QByteArray("\x00\x01garbage", 9);
        QTest::newRow("cut short") << QByteArray("<?xml version=\"1.0\"?><plist><dict><key>flag</key><tr");
        QTest::newRow("not a dictionary") << QByteArray("<?xml version=\"1.0\"?><plist><string>x</string></plist>");
    }
    void brokenFileIsMovedAsideNotOverwritten()
    {
        QFETCH(QByteArray, content);
        QVERIFY(QDir().mkpath(m_dir.filePath(u"Kavri"_s)));
        QFile::remove(path() + u".corrupt"_s);
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"could not be read; moved to"_s));
        UserDefaults defaults(path());
        QVERIFY(std::holds_alternative<std::monostate>(defaults.object(u"flag"_s)));
        QFile aside(path() + u".corrupt"_s);
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), content);
        defaults.set(u"flag"_s, false);
        QCOMPARE(UserDefaults(path()).object(u"flag"_s), UserDefaults::Value(false));
    }

    void failedWriteKeepsTheValue()
    {
        // A file where the settings folder should be: nothing can be written below it.
        QFile blocker(m_dir.filePath(u"blocker"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        UserDefaults defaults(m_dir.filePath(u"blocker/defaults.plist"_s));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"could not be written"_s));
        defaults.set(u"flag"_s, true);
        QCOMPARE(defaults.object(u"flag"_s), UserDefaults::Value(true));
    }
};

QTEST_GUILESS_MAIN(TestUserDefaults)
#include "tst_userdefaults.moc"
