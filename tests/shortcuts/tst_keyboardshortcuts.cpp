// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The named shortcuts over a real store file: what is stored when, how combinations are
// registered with the desktop, who is called when one fires, and how shortcuts are shown.
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "platform/UserDefaults.h"
#include "shortcuts/KeyTable.h"
#include "shortcuts/KeyboardShortcuts.h"
#include "support/FakeHotKeys.h"

using namespace Qt::StringLiterals;
using namespace kavri;
using namespace kavri::KeyboardShortcuts;
using kavri::test::FakeHotKeys;

namespace {

constexpr Shortcut ctrlShift8 { 28, CarbonModifier::command | CarbonModifier::shift };
constexpr Shortcut ctrlAltK { 40, CarbonModifier::command | CarbonModifier::option };

UserDefaults::Value stored(const UserDefaults &store, const Name &name)
{
    return store.object(Registry::storeKey(name.rawValue));
}

} // namespace

Q_DECLARE_METATYPE(kavri::KeyboardShortcuts::Shortcut)

class TestKeyboardShortcuts : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(u"defaults.plist"_s); }
    const QList<Name> kavriNames { Names::toggleMenu(), Names::captureScreen(), Names::captureQRCode() };

private Q_SLOTS:
    void init() { QFile::remove(path()); }

    void defaultsAreStoredOnceAndAClearedNameStaysCleared()
    {
        {
            UserDefaults store(path());
            Registry registry(store, nullptr);
            for (const Name &name : kavriNames)
                registry.create(name);
            QCOMPARE(stored(store, Names::toggleMenu()),
                UserDefaults::Value(u"{\"carbonKeyCode\":29,\"carbonModifiers\":768}"_s));
            QCOMPARE(stored(store, Names::captureScreen()),
                UserDefaults::Value(u"{\"carbonKeyCode\":28,\"carbonModifiers\":768}"_s));
            QCOMPARE(stored(store, Names::captureQRCode()),
                UserDefaults::Value(u"{\"carbonKeyCode\":25,\"carbonModifiers\":768}"_s));

            QSignalSpy changes(&registry, &Registry::shortcutByNameDidChange);
            registry.setShortcut(std::nullopt, Names::captureScreen());
            QCOMPARE(stored(store, Names::captureScreen()), UserDefaults::Value(false));
            registry.setShortcut(std::nullopt, Names::captureScreen()); // already clear: nothing
            QCOMPARE(changes.size(), 1);
            QCOMPARE(changes.first().first().toString(), u"captureScreen"_s);
        }
        // The next start respects the user's choice, and "Restore Defaults" brings the default back.
        UserDefaults store(path());
        Registry registry(store, nullptr);
        registry.create(Names::captureScreen());
        QCOMPARE(registry.getShortcut(Names::captureScreen()), std::nullopt);
        registry.reset(kavriNames);
        QCOMPARE(registry.getShortcut(Names::captureScreen()), Shortcut({ 28, 768 }));
    }

    void aNameWithoutDefaultLeavesNoEntryWhenCleared()
    {
        UserDefaults store(path());
        Registry registry(store, nullptr);
        const Name custom { u"custom"_s, std::nullopt };
        registry.create(custom);
        QVERIFY(std::holds_alternative<std::monostate>(stored(store, custom)));
        registry.setShortcut(ctrlAltK, custom);
        QCOMPARE(registry.getShortcut(custom), ctrlAltK);
        registry.reset({ custom });
        QVERIFY(std::holds_alternative<std::monostate>(stored(store, custom)));
    }

    void malformedStoredValuesAreNoShortcutAndStayAsTheyAre_data()
    {
        QTest::addColumn<QString>("json");
        QTest::newRow("not JSON") << u"Ctrl+Shift+8"_s;
        QTest::newRow("string member") << u"{\"carbonKeyCode\":\"28\",\"carbonModifiers\":768}"_s;
        QTest::newRow("fraction") << u"{\"carbonKeyCode\":28.5,\"carbonModifiers\":768}"_s;
        QTest::newRow("member missing") << u"{\"carbonKeyCode\":28}"_s;
        QTest::newRow("extra member") << u"{\"carbonKeyCode\":28,\"carbonModifiers\":768,\"x\":1}"_s;
        QTest::newRow("array") << u"[28,768]"_s;
    }

    void malformedStoredValuesAreNoShortcutAndStayAsTheyAre()
    {
        QFETCH(QString, json);
        UserDefaults store(path());
        store.set(Registry::storeKey(u"captureScreen"_s), json);
        Registry registry(store, nullptr);
        registry.create(Names::captureScreen());
        QCOMPARE(registry.getShortcut(Names::captureScreen()), std::nullopt);
        QCOMPARE(stored(store, Names::captureScreen()), UserDefaults::Value(json));
    }

    void oneRegistrationPerCombinationAndEveryNameOnItFires()
    {
        UserDefaults store(path());
        FakeHotKeys hotKeys;
        Registry registry(store, &hotKeys);
        QStringList calls;
        for (const Name &name : kavriNames) {
            registry.create(name);
            registry.onKeyUp(name, [&calls, name] { calls.append(name.rawValue); });
        }
        QCOMPARE(hotKeys.registered.size(), 3);

        registry.setShortcut(ctrlShift8, Names::captureQRCode());
        QCOMPARE(hotKeys.registered.size(), 2);
        QVERIFY(hotKeys.type(ctrlShift8));
        QCOMPARE(calls, QStringList({ u"captureQRCode"_s, u"captureScreen"_s }));

        // Moving one name away keeps the combination for the other.
        calls.clear();
        registry.setShortcut(ctrlAltK, Names::captureQRCode());
        QVERIFY(hotKeys.type(ctrlShift8));
        QVERIFY(hotKeys.type(ctrlAltK));
        QCOMPARE(calls, QStringList({ u"captureScreen"_s, u"captureQRCode"_s }));

        registry.setShortcut(std::nullopt, Names::captureScreen());
        QVERIFY(!hotKeys.type(ctrlShift8));
    }

    void aRecordingRecorderSilencesAndReleasesEveryCombination()
    {
        UserDefaults store(path());
        FakeHotKeys hotKeys;
        Registry registry(store, &hotKeys);
        int calls = 0;
        registry.create(Names::captureScreen());
        registry.onKeyUp(Names::captureScreen(), [&calls] { ++calls; });
        registry.onKeyDown(Names::captureScreen(), [&calls] { ++calls; });
        QSignalSpy activity(&registry, &Registry::recorderActiveStatusDidChange);

        registry.setRecorderActive(true);
        QVERIFY(registry.isPaused());
        QVERIFY(hotKeys.registered.isEmpty()); // so the recorder itself receives Ctrl+Shift+8
        Q_EMIT hotKeys.hotKeyReleased(1);
        QCOMPARE(calls, 0);

        registry.setRecorderActive(false);
        QVERIFY(hotKeys.type(ctrlShift8));
        QCOMPARE(calls, 2);
        QCOMPARE(activity.size(), 2);
        QCOMPARE(activity.at(0).first().toBool(), true);
        QCOMPARE(activity.at(1).first().toBool(), false);
    }

    void aRefusedCombinationIsReportedOnceAndStaysStored()
    {
        UserDefaults store(path());
        FakeHotKeys hotKeys;
        hotKeys.refusedKeyCodes.insert(25, 10);
        Registry registry(store, &hotKeys);
        QStringList lines;
        registry.setDiagnosticSink([&lines](const QString &line) { lines.append(line); });
        for (const Name &name : kavriNames) {
            registry.create(name);
            registry.onKeyUp(name, [] {});
        }
        QCOMPARE(lines, QStringList(u"Error registering hotkey Ctrl+Shift+9: 10"_s));
        QCOMPARE(registry.getShortcut(Names::captureQRCode()), Shortcut({ 25, 768 }));
        QCOMPARE(hotKeys.registered.size(), 2);
    }

    void displayText_data()
    {
        QTest::addColumn<Shortcut>("shortcut");
        QTest::addColumn<QString>("text");
        QTest::newRow("default") << Shortcut { 29, 768 } << u"Ctrl+Shift+0"_s;
        QTest::newRow("control is Meta") << Shortcut { 0, CarbonModifier::control } << u"Meta+A"_s;
        QTest::newRow("all four") << Shortcut { 122, 0x100 | 0x200 | 0x800 | 0x1000 } << u"Meta+Ctrl+Alt+Shift+F1"_s;
        QTest::newRow("function") << Shortcut { 111, CarbonModifier::function } << u"Fn+F12"_s;
        QTest::newRow("keypad") << Shortcut { 83, CarbonModifier::option } << u"Alt+Num+1"_s;
        QTest::newRow("space") << Shortcut { 49, CarbonModifier::command } << u"Ctrl+Space"_s;
        QTest::newRow("unknown key") << Shortcut { 10, CarbonModifier::command } << u"Ctrl+\uFFFD"_s;
    }

    void displayText()
    {
        QFETCH(Shortcut, shortcut);
        QFETCH(QString, text);
        QCOMPARE(shortcut.description(), text);
    }

    void everyTableKeyTravelsThroughQtAndBack()
    {
        int keys = 0;
        for (int code = 0; code < 128; ++code) {
            const Shortcut shortcut { code, CarbonModifier::shift };
            const auto combination = shortcut.toQt();
            if (!combination)
                continue;
            ++keys;
            QCOMPARE(Shortcut::fromQt(*combination), shortcut);
            QCOMPARE(KeyTable::byKeysym(KeyTable::byCarbonKeyCode(code)->keysym)->carbonKeyCode, code);
        }
        QCOMPARE(keys, 26 + 10 + 11 + 15 + 20 + 18);
    }
};

QTEST_MAIN(TestKeyboardShortcuts)
#include "tst_keyboardshortcuts.moc"
