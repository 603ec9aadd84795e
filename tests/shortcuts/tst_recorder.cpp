// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The shortcut recorder driven by real key and mouse events: which combinations it takes, which
// it refuses and why, that recording pauses the shortcuts, and the way to take a combination
// another program holds.
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/UserDefaults.h"
#include "shortcuts/Recorder.h"
#include "support/FakeHotKeys.h"

using namespace Qt::StringLiterals;
using namespace kavri;
using namespace kavri::KeyboardShortcuts;
using kavri::test::FakeHotKeys;

namespace {

constexpr Shortcut ctrlShift8 { 28, CarbonModifier::command | CarbonModifier::shift };
constexpr int keyCodeK = 40;

QPushButton *button(QMessageBox *alert, const QString &text)
{
    for (QAbstractButton *candidate : alert->buttons())
        if (candidate->text() == text)
            return qobject_cast<QPushButton *>(candidate);
    return nullptr;
}

} // namespace

Q_DECLARE_METATYPE(std::optional<kavri::KeyboardShortcuts::Shortcut>)

class TestRecorder : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<UserDefaults> m_store;
    std::unique_ptr<FakeHotKeys> m_hotKeys;
    std::unique_ptr<Registry> m_registry;
    std::unique_ptr<QWidget> m_window;
    Recorder *m_recorder = nullptr;
    QLineEdit *m_next = nullptr;
    QStringList m_diagnostics;
    int m_fired = 0;

    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(m_recorder->field(), Qt::Key(key), modifiers);
    }

private Q_SLOTS:
    void init()
    {
        QFile::remove(m_dir.filePath(u"defaults.plist"_s));
        m_store = std::make_unique<UserDefaults>(m_dir.filePath(u"defaults.plist"_s));
        m_hotKeys = std::make_unique<FakeHotKeys>();
        m_registry = std::make_unique<Registry>(*m_store, m_hotKeys.get());
        m_diagnostics.clear();
        m_registry->setDiagnosticSink([this](const QString &line) { m_diagnostics.append(line); });
        m_registry->create(Names::captureScreen());
        m_fired = 0;
        m_registry->onKeyUp(Names::captureScreen(), [this] { ++m_fired; });

        m_window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(m_window.get());
        m_recorder = new Recorder(*m_registry, Names::captureScreen());
        m_recorder->setMenuActions({ { QKeyCombination(Qt::ControlModifier, Qt::Key_Comma), u"Settings\u2026"_s },
            { QKeyCombination(Qt::ControlModifier, Qt::Key_Q), u"Quit Kavri"_s } });
        m_recorder->setHotKeyBackend(m_hotKeys.get());
        m_next = new QLineEdit;
        layout->addWidget(m_recorder);
        layout->addWidget(m_next);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        m_registry.reset();
    }

    void clickingRecordsAndPausesTheShortcuts()
    {
        QCOMPARE(m_recorder->field()->text(), ctrlShift8.description());
        QCOMPARE(m_recorder->field()->placeholderText(), u"Record Shortcut"_s);
        QSignalSpy activity(m_registry.get(), &Registry::recorderActiveStatusDidChange);

        QTest::mouseClick(m_recorder->field(), Qt::LeftButton);
        QVERIFY(m_recorder->isRecording());
        QVERIFY(m_registry->isPaused());
        QCOMPARE(m_recorder->field()->placeholderText(), u"Press Shortcut"_s);
        QCOMPARE(m_recorder->field()->text(), QString());
        // The held combination is released so that its keys reach the field, and cannot fire.
        QVERIFY(m_hotKeys->registered.isEmpty());
        QVERIFY(!m_hotKeys->type(ctrlShift8));

        press(Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(!m_recorder->isRecording());
        const Shortcut ctrlAltK { keyCodeK, CarbonModifier::command | CarbonModifier::option };
        QCOMPARE(m_registry->getShortcut(Names::captureScreen()), ctrlAltK);
        QCOMPARE(m_recorder->field()->text(), ctrlAltK.description());
        QCOMPARE(activity.size(), 2);
        QCOMPARE(activity.at(0).first().toBool(), true);
        QCOMPARE(activity.at(1).first().toBool(), false);
        // In effect at once: the new combination fires, the old one is gone.
        QVERIFY(m_hotKeys->type(ctrlAltK));
        QCOMPARE(m_fired, 1);
        QVERIFY(!m_hotKeys->type(ctrlShift8));
    }

    void judgingRules_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<std::optional<Shortcut>>("stored");
        QTest::addColumn<bool>("stillRecording");
        const std::optional<Shortcut> unchanged = ctrlShift8;
        QTest::newRow("Super+Alt+1") << int(Qt::Key_1) << (Qt::MetaModifier | Qt::AltModifier)
                                     << std::optional(Shortcut { 18, 0x1000 | 0x800 }) << false;
        QTest::newRow("F5 needs no modifier")
            << int(Qt::Key_F5) << Qt::KeyboardModifiers() << std::optional(Shortcut { 96, 0 }) << false;
        QTest::newRow("a letter alone is refused") << int(Qt::Key_A) << Qt::KeyboardModifiers() << unchanged << true;
        QTest::newRow("Shift is not enough")
            << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ShiftModifier) << unchanged << true;
        QTest::newRow("a modifier alone waits")
            << int(Qt::Key_Control) << Qt::KeyboardModifiers(Qt::ControlModifier) << unchanged << true;
        QTest::newRow("Escape ends without change")
            << int(Qt::Key_Escape) << Qt::KeyboardModifiers() << unchanged << false;
        QTest::newRow("Backspace clears")
            << int(Qt::Key_Backspace) << Qt::KeyboardModifiers() << std::optional<Shortcut>() << false;
        QTest::newRow("Ctrl+Backspace is a combination")
            << int(Qt::Key_Backspace) << Qt::KeyboardModifiers(Qt::ControlModifier)
            << std::optional(Shortcut { 51, 0x100 }) << false;
    }

    void judgingRules()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(std::optional<Shortcut>, stored);
        QFETCH(bool, stillRecording);
        m_recorder->startRecording();
        press(key, modifiers);
        QCOMPARE(m_registry->getShortcut(Names::captureScreen()), stored);
        QCOMPARE(m_recorder->isRecording(), stillRecording);
        QCOMPARE(m_recorder->clearButton()->isVisibleTo(m_recorder), stored.has_value());
        QVERIFY(!m_recorder->activeAlert());
    }

    void tabPassesTheFocusOnAndEndsRecording()
    {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::mouseClick(m_recorder->field(), Qt::LeftButton);
        QVERIFY(m_recorder->field()->hasFocus());
        press(Qt::Key_Tab);
        QTRY_VERIFY(m_next->hasFocus());
        QVERIFY(!m_recorder->isRecording());
        QVERIFY(!m_registry->isPaused());
        QCOMPARE(m_registry->getShortcut(Names::captureScreen()), ctrlShift8);
    }

    void kavrisOwnMenuCombinationIsRefusedByName()
    {
        const QString title = u"Quit Kavri"_s;
        m_recorder->startRecording();
        press(Qt::Key_Q, Qt::ControlModifier);
        QMessageBox *alert = m_recorder->activeAlert();
        QVERIFY(alert);
        QVERIFY(alert->isVisible());
        QCOMPARE(alert->icon(), QMessageBox::Warning);
        QVERIFY2(alert->text().contains(u"\u201c"_s + title + u"\u201d"_s), qPrintable(alert->text()));
        QCOMPARE(alert->buttons().size(), 1);
        QCOMPARE(m_registry->getShortcut(Names::captureScreen()), ctrlShift8);
        button(alert, u"OK"_s)->click();
        QTRY_VERIFY(!m_recorder->activeAlert());
        QCOMPARE(m_registry->getShortcut(Names::captureScreen()), ctrlShift8);
    }

    void aCombinationAnotherProgramHoldsCanBeForced()
    {
        m_hotKeys->refusedKeyCodes.insert(keyCodeK, 10);
        const Shortcut ctrlK { keyCodeK, CarbonModifier::command };

        // Declined: nothing changes, and the probe left nothing registered behind.
        m_recorder->startRecording();
        press(Qt::Key_K, Qt::ControlModifier);
        QMessageBox *alert = m_recorder->activeAlert();
        QVERIFY(alert);
        QVERIFY(alert->text().contains(u"another application"_s));
        QVERIFY(!alert->informativeText().isEmpty());
        button(alert, u"OK"_s)->click();
        QTRY_VERIFY(!m_recorder->activeAlert());
        QCOMPARE(m_registry->getShortcut(Names::captureScreen()), ctrlShift8);
        QVERIFY(!m_registry->isPaused());
        QCOMPARE(m_hotKeys->registered.values(), QList<Shortcut> { ctrlShift8 });

        // Forced: stored, shown, and the refused registration reported once.
        QSignalSpy changes(m_recorder, &Recorder::shortcutChanged);
        m_recorder->startRecording();
        press(Qt::Key_K, Qt::ControlModifier);
        alert = m_recorder->activeAlert();
        QVERIFY(alert);
        button(alert, u"Use Anyway"_s)->click();
        QCOMPARE(m_registry->getShortcut(Names::captureScreen()), ctrlK);
        QCOMPARE(m_recorder->field()->text(), ctrlK.description());
        QVERIFY(!m_recorder->isRecording());
        QVERIFY(!m_registry->isPaused());
        QCOMPARE(changes.size(), 1);
        QCOMPARE(m_diagnostics, QStringList { u"Error registering hotkey %1: 10"_s.arg(ctrlK.description()) });
    }
};

QTEST_MAIN(TestRecorder)
#include "tst_recorder.moc"
