// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The settings over a real store file: defaults and bad stored values, what is written when,
// and the custom words' delayed write and its flush when Kavri quits.
#include <csignal>

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "platform/UserDefaults.h"
#include "settings/AppSettings.h"

using namespace Qt::StringLiterals;
using namespace kavri;
using namespace std::chrono_literals;

namespace {

class RecordingOptOut : public UsageOptOut
{
public:
    void setOptOut(bool optOut) override { values.append(optOut); }
    QList<bool> values;
};

} // namespace

class TestAppSettings : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(u"defaults.plist"_s); }

    // How often the store wrote \a key while \a action ran.
    static int writesOf(UserDefaults &store, const QString &key, const std::function<void()> &action)
    {
        QSignalSpy spy(&store, &UserDefaults::changed);
        action();
        int count = 0;
        for (const QList<QVariant> &signal : spy)
            count += signal.first().toString() == key;
        return count;
    }

private Q_SLOTS:
    void init() { QFile::remove(path()); }

    void emptyStoreGivesDefaultsAndWritesNothing()
    {
        UserDefaults store(path());
        RecordingOptOut optOut;
        const AppSettings settings(store, &optOut);
        QVERIFY(settings.autoDetectLanguage());
        QCOMPARE(settings.selectedLanguage(), u"en-US"_s);
        QVERIFY(settings.showResultPopup());
        QCOMPARE(settings.popupDuration(), 5.0);
        QVERIFY(settings.includeBetaVersions());
        QVERIFY(!settings.analyticsOptOut());
        QCOMPARE(settings.menuBarIconStyle(), MenuBarIconStyle::custom);
        QCOMPARE(settings.customWords(), QString());
        QVERIFY(settings.soundEffectsEnabled());
        QVERIFY(settings.showNews());
        QCOMPARE(optOut.values, QList<bool> { false });
        QVERIFY(!QFile::exists(path()));
    }

    void storedValuesOfTheWrongKindFallBack()
    {
        {
            UserDefaults store(path());
            store.set(u"showNews"_s, u"no"_s);
            store.set(u"menuBarIconStyle"_s, u"sparkles"_s);
            store.set(u"popupDuration"_s, qint64(7));
            store.set(u"includeBetaVersions"_s, false);
            store.set(u"soundEffectsEnabled"_s, false);
            store.set(u"selectedLanguage"_s, qint64(3));
        }
        UserDefaults store(path());
        const AppSettings settings(store);
        QVERIFY(settings.showNews());
        QCOMPARE(settings.menuBarIconStyle(), MenuBarIconStyle::custom);
        QCOMPARE(settings.popupDuration(), 7.0);
        QVERIFY(settings.includeBetaVersions());
        QVERIFY(!settings.soundEffectsEnabled());
        QCOMPARE(settings.selectedLanguage(), u"en-US"_s);
        // Nothing was repaired.
        QCOMPARE(store.object(u"showNews"_s), UserDefaults::Value(u"no"_s));
    }

    void changesAreWrittenAtOnceAndAnnouncedFirst()
    {
        UserDefaults store(path());
        RecordingOptOut optOut;
        AppSettings settings(store, &optOut);
        bool seenOldValue = false;
        connect(&settings, &AppSettings::aboutToChange, this, [&](AppSettings::Key key) {
            seenOldValue
                = key == AppSettings::Key::menuBarIconStyle && settings.menuBarIconStyle() == MenuBarIconStyle::custom;
        });
        settings.setMenuBarIconStyle(MenuBarIconStyle::qrcodeViewfinder);
        QVERIFY(seenOldValue);
        settings.setAnalyticsOptOut(true);
        settings.setIncludeBetaVersions(false);
        QCOMPARE(optOut.values, (QList<bool> { false, true }));

        UserDefaults reread(path());
        QCOMPARE(reread.object(u"menuBarIconStyle"_s), UserDefaults::Value(u"qrcodeViewfinder"_s));
        QCOMPARE(reread.object(u"analyticsOptOut"_s), UserDefaults::Value(true));
        QVERIFY(std::holds_alternative<std::monostate>(reread.object(u"includeBetaVersions"_s)));
    }

    void customWordsList_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("spaces, empty pieces, trailing commas")
            << u"  Kavri , ,\tTesseract\n,,"_s << QStringList { u"Kavri"_s, u"Tesseract"_s };
        QTest::newRow("one word") << u"Zumblatt"_s << QStringList { u"Zumblatt"_s };
        QTest::newRow("empty") << QString() << QStringList();
    }
    void customWordsList()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, words);
        UserDefaults store(path());
        AppSettings settings(store, nullptr, 1ms);
        settings.setCustomWords(text);
        QCOMPARE(settings.customWordsList(), words);
    }

    void typingIsWrittenOnceAfterAPause()
    {
        UserDefaults store(path());
        AppSettings settings(store, nullptr, 40ms);
        const int writes = writesOf(store, u"customWords"_s, [&] {
            for (const QString &text : { u"a"_s, u"ab"_s, u"abc"_s, u"abc"_s })
                settings.setCustomWords(text);
            QCOMPARE(settings.customWords(), u"abc"_s);
            QVERIFY(std::holds_alternative<std::monostate>(store.object(u"customWords"_s)));
            QTRY_COMPARE(store.object(u"customWords"_s), UserDefaults::Value(u"abc"_s));
            QTest::qWait(80);
        });
        QCOMPARE(writes, 1);
    }

    void quittingFlushesOnlyWhatDiffers()
    {
        UserDefaults store(path());
        AppSettings settings(store, nullptr, 10s);
        settings.setCustomWords(u"Kavri"_s);
#ifndef QT_NO_DEBUG_OUTPUT // release builds compile debug lines out
        QTest::ignoreMessage(QtDebugMsg, "Flushing pending custom words on app termination: <private>");
#endif
        QCOMPARE(writesOf(store, u"customWords"_s, [&] { settings.flushPendingCustomWords(); }), 1);
        QCOMPARE(store.object(u"customWords"_s), UserDefaults::Value(u"Kavri"_s));

        // Typed back to what is stored: nothing to write, nothing to log.
        settings.setCustomWords(u"Kav"_s);
        settings.setCustomWords(u"Kavri"_s);
        QCOMPARE(writesOf(store, u"customWords"_s, [&] { settings.flushPendingCustomWords(); }), 0);
        QCOMPARE(writesOf(store, u"customWords"_s, [&] { settings.flushPendingCustomWords(); }), 0);
    }

    void theSessionsSigtermStillWritesPendingWords()
    {
        QProcess process;
        process.start(QStringLiteral(PENDING_WORDS_HELPER), { path(), u"Kavri, Tesseract"_s });
        QVERIFY(process.waitForReadyRead(10000));
        QCOMPARE(process.readAllStandardOutput().trimmed(), QByteArray("ready"));
        ::kill(pid_t(process.processId()), SIGTERM);
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
#ifndef QT_NO_DEBUG_OUTPUT
        QVERIFY(process.readAllStandardError().contains("Flushing pending custom words on app termination: <private>"));
#endif
        QCOMPARE(UserDefaults(path()).object(u"customWords"_s), UserDefaults::Value(u"Kavri, Tesseract"_s));
    }
};

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
