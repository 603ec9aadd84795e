// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Kavri's start: the services in their order, the permission alert only when the screen cannot
// be captured, and Ctrl+, in Kavri's own windows.
#include <QLineEdit>
#include <QPromise>
#include <QTemporaryDir>
#include <QTest>

#include "app/AppDelegate.h"
#include "app/LaunchServices.h"
#include "platform/UserDefaults.h"
#include "settings/AppSettings.h"

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace kavri;

namespace {

class RecordingServices : public LaunchServices
{
public:
    void startUpdateChecks() override { calls.append(u"updates"_s); }
    void loadRemoteConfiguration() override { calls.append(u"configuration"_s); }
    void recordLaunch() override { calls.append(u"launch"_s); }
    void showNewsIfAny() override { calls.append(u"news"_s); }
    QStringList calls;
};

QFuture<bool> answered(bool granted)
{
    QPromise<bool> promise;
    promise.start();
    promise.addResult(granted);
    promise.finish();
    return promise.future();
}

} // namespace

class TestAppDelegate : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private Q_SLOTS:
    void startsTheServicesAndAsksOnlyWithoutPermission_data()
    {
        QTest::addColumn<bool>("granted");
        QTest::addColumn<bool>("showNews");
        QTest::newRow("granted, news on") << true << true;
        QTest::newRow("denied, news off") << false << false;
    }

    void startsTheServicesAndAsksOnlyWithoutPermission()
    {
        QFETCH(bool, granted);
        QFETCH(bool, showNews);
        UserDefaults store(m_dir.filePath(u"defaults.plist"_s));
        AppSettings settings(store);
        settings.setShowNews(showNews);
        RecordingServices services;
        int alerts = 0;
        AppDelegate delegate(settings, services,
            { .showSettings = {},
                .hasScreenRecordingPermission = [granted] { return answered(granted); },
                .showPermissionAlert = [&alerts] { ++alerts; } },
            20ms);
        delegate.applicationDidFinishLaunching();
        QStringList expected { u"updates"_s, u"configuration"_s, u"launch"_s };
        if (showNews)
            expected.append(u"news"_s);
        QCOMPARE(services.calls, expected);
        QCOMPARE(alerts, 0); // never at once
        QTest::qWait(120);
        QCOMPARE(alerts, granted ? 0 : 1);
    }

    void ctrlCommaInKavrisWindowsOpensTheSettings()
    {
        UserDefaults store(m_dir.filePath(u"defaults.plist"_s));
        AppSettings settings(store);
        RecordingServices services;
        int opened = 0;
        AppDelegate delegate(settings, services,
            { .showSettings = [&opened] { ++opened; }, .hasScreenRecordingPermission = {}, .showPermissionAlert = {} });
        delegate.applicationDidFinishLaunching();

        QLineEdit field;
        field.show();
        QTest::keyClick(&field, Qt::Key_Comma);
        QTest::keyClick(&field, Qt::Key_Comma, Qt::AltModifier);
        QCOMPARE(field.text(), u",,"_s);
        QTest::keyClick(&field, Qt::Key_Comma, Qt::ControlModifier);
        QTRY_COMPARE(opened, 1);
        QCOMPARE(field.text(), u",,"_s); // consumed

        delegate.applicationWillTerminate();
        QTest::keyClick(&field, Qt::Key_Comma, Qt::ControlModifier);
        QTest::qWait(20);
        QCOMPARE(opened, 1);
    }
};

QTEST_MAIN(TestAppDelegate)
#include "tst_appdelegate.moc"
