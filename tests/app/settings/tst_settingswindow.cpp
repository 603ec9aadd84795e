// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The settings window over real settings, a real shortcut registry and a real store file:
// controls write through and redraw when the settings change elsewhere, the duration row, the
// language picker, "Restore Defaults", which pane the window opens on and where.
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "app/settings/GeneralSettingsPane.h"
#include "app/settings/PrivacySettingsPane.h"
#include "app/settings/RecognitionSettingsPane.h"
#include "app/settings/SettingsViewModel.h"
#include "app/settings/SettingsWindowController.h"
#include "app/settings/ShortcutsSettingsPane.h"
#include "platform/UserDefaults.h"
#include "settings/AppSettings.h"
#include "settings/LaunchAtLogin.h"

using namespace Qt::StringLiterals;
using namespace kavri;
using namespace std::chrono_literals;

namespace {

const QList<SupportedLanguage> languages {
    { u"en-US"_s, u"English"_s },
    { u"de-DE"_s, u"German"_s },
    { u"fr-FR"_s, u"French"_s },
};

} // namespace

class TestSettingsWindow : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<UserDefaults> m_store;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<KeyboardShortcuts::Registry> m_registry;
    std::unique_ptr<LaunchAtLogin> m_launch;
    std::unique_ptr<SettingsViewModel> m_model;

    std::unique_ptr<SettingsWindowController> controller()
    {
        return std::make_unique<SettingsWindowController>(SettingsWindowController::Dependencies {
            .viewModel = *m_model,
            .shortcuts = *m_registry,
            .launchAtLogin = *m_launch,
            .frameStore = *m_store,
            .languages = languages,
        });
    }

private Q_SLOTS:
    void init()
    {
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(u"config"_s).toUtf8());
        QFile::remove(m_dir.filePath(u"defaults.plist"_s));
        m_store = std::make_unique<UserDefaults>(m_dir.filePath(u"defaults.plist"_s));
        m_settings = std::make_unique<AppSettings>(*m_store, nullptr, 0ms);
        m_registry = std::make_unique<KeyboardShortcuts::Registry>(*m_store, nullptr);
        m_launch = std::make_unique<LaunchAtLogin>(u"/usr/bin/kavri"_s);
        m_model = std::make_unique<SettingsViewModel>(*m_settings);
    }

    void cleanup()
    {
        m_model.reset();
        m_registry.reset();
        m_settings.reset();
    }

    // Changes made elsewhere (another window, the tray) show at once.
    void controlsWriteThroughAndRedraw()
    {
        GeneralSettingsPane pane(*m_model, *m_launch);
        pane.showNewsToggle()->click();
        QCOMPARE(m_settings->showNews(), false);
        QCOMPARE(m_store->object(u"showNews"_s), UserDefaults::Value(false));
        pane.iconTiles()->button(3)->click();
        QCOMPARE(m_settings->menuBarIconStyle(), MenuBarIconStyle::viewfinder);
        QCOMPARE(m_store->object(u"menuBarIconStyle"_s), UserDefaults::Value(u"viewfinder"_s));
        m_settings->setSoundEffectsEnabled(false);
        QVERIFY(!pane.soundToggle()->isChecked());
        m_settings->setMenuBarIconStyle(MenuBarIconStyle::scope);
        QVERIFY(pane.iconTiles()->button(5)->isChecked());
        QCOMPARE(pane.iconTiles()->checkedId(), 5);

        // Launch at login is the autostart entry, not a setting.
        pane.launchAtLoginToggle()->click();
        QVERIFY(m_launch->isEnabled());
        m_launch->setEnabled(false);
        QVERIFY(!pane.launchAtLoginToggle()->isChecked());

        RecognitionSettingsPane recognition(*m_model, languages);
        QTest::keyClicks(recognition.customWordsEditor(), u"Kavri, Qt"_s);
        QCOMPARE(m_settings->customWords(), u"Kavri, Qt"_s);
        m_settings->setCustomWords(u"Tesseract"_s);
        QCOMPARE(recognition.customWordsEditor()->toPlainText(), u"Tesseract"_s);

        // The statistics switch is the inverse of the stored opt-out.
        PrivacySettingsPane privacy(*m_model);
        QVERIFY(privacy.statisticsToggle()->isChecked());
        privacy.statisticsToggle()->click();
        QCOMPARE(m_settings->analyticsOptOut(), true);
        QCOMPARE(m_store->object(u"analyticsOptOut"_s), UserDefaults::Value(true));
        m_settings->setAnalyticsOptOut(false);
        QVERIFY(privacy.statisticsToggle()->isChecked());
    }

    void durationRowFollowsThePopupAndTheSliderScale()
    {
        GeneralSettingsPane pane(*m_model, *m_launch);
        QCOMPARE(pane.durationText()->text(), u"5s"_s);
        pane.popupToggle()->click();
        QCOMPARE(m_settings->showResultPopup(), false);
        QCOMPARE(pane.durationText()->text(), u"0s"_s);
        QVERIFY(!pane.durationRow()->isEnabled());
        pane.popupToggle()->click();
        QCOMPARE(pane.durationText()->text(), u"5s"_s);
        QVERIFY(pane.durationRow()->isEnabled());

        QTest::keyClick(pane.durationSlider(), Qt::Key_Right);
        QCOMPARE(m_settings->popupDuration(), 5.5);
        QCOMPARE(m_store->object(u"popupDuration"_s), UserDefaults::Value(5.5));
        QCOMPARE(pane.durationText()->text(), u"5.5s"_s);
        QTest::keyClick(pane.durationSlider(), Qt::Key_End);
        QCOMPARE(m_settings->popupDuration(), 15.0);
        QTest::keyClick(pane.durationSlider(), Qt::Key_Right);
        QCOMPARE(m_settings->popupDuration(), 15.0);
        QTest::keyClick(pane.durationSlider(), Qt::Key_Home);
        QCOMPARE(m_settings->popupDuration(), 1.0);
        QCOMPARE(pane.durationText()->text(), u"1s"_s);

        // A stored value off the scale is shown at the slider's end and is not rewritten.
        m_settings->setPopupDuration(40.0);
        QCOMPARE(pane.durationSlider()->value(), GeneralSettingsPane::sliderMaximum);
        QCOMPARE(m_settings->popupDuration(), 40.0);
        QCOMPARE(pane.durationText()->text(), u"40s"_s);
    }

    void languagePickerShowsOnlyWithoutAutomaticDetection()
    {
        RecognitionSettingsPane pane(*m_model, languages);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        QVERIFY(!pane.pickerRow()->isVisible());
        QCOMPARE(pane.languagePicker()->accessibleName(), u"Selected language"_s);

        pane.autoDetectToggle()->click();
        QCOMPARE(m_settings->autoDetectLanguage(), false);
        QTRY_VERIFY(pane.pickerRow()->isVisible());
        QTRY_COMPARE(pane.pickerRow()->height(), pane.pickerRow()->sizeHint().height());
        QCOMPARE(pane.languagePicker()->count(), 3);
        QCOMPARE(pane.languagePicker()->currentText(), u"English"_s);
        pane.languagePicker()->setCurrentIndex(0);
        QTest::keyClick(pane.languagePicker(), Qt::Key_Down);
        QCOMPARE(m_settings->selectedLanguage(), u"de-DE"_s);

        pane.autoDetectToggle()->click();
        QTRY_VERIFY(!pane.pickerRow()->isVisible());
        QCOMPARE(m_settings->selectedLanguage(), u"de-DE"_s);
        m_settings->setAutoDetectLanguage(false);
        QTRY_VERIFY(pane.pickerRow()->isVisible());
        QCOMPARE(pane.languagePicker()->currentText(), u"German"_s);

        // A language whose data is no longer installed is shown as it is and kept.
        m_settings->setSelectedLanguage(u"ja-JP"_s);
        QCOMPARE(pane.languagePicker()->currentData().toString(), u"ja-JP"_s);
        QCOMPARE(m_settings->selectedLanguage(), u"ja-JP"_s);
    }

    void restoreDefaultsUpdatesAllThreeRecorders()
    {
        namespace Names = KeyboardShortcuts::Names;
        for (const auto &name : { Names::toggleMenu(), Names::captureScreen(), Names::captureQRCode() })
            m_registry->create(name);
        ShortcutsSettingsPane pane(*m_registry, SettingsWindowController::kavriMenuActions());
        const auto &recorders = pane.recorders();
        QCOMPARE(recorders.size(), 3);
        m_registry->setShortcut(std::nullopt, Names::captureScreen());
        m_registry->setShortcut(KeyboardShortcuts::Shortcut { 40, 0x100 }, Names::captureQRCode());
        m_registry->setShortcut(std::nullopt, Names::toggleMenu());
        QCOMPARE(recorders.at(0)->field()->text(), QString());

        pane.restoreDefaultsButton()->click();
        const QList<const KeyboardShortcuts::Name *> expected { &Names::captureScreen(), &Names::captureQRCode(),
            &Names::toggleMenu() };
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(recorders.at(row)->name().rawValue, expected.at(row)->rawValue);
            QCOMPARE(recorders.at(row)->field()->text(), expected.at(row)->defaultShortcut->description());
        }
    }

    void showSelectsThePaneByTheRule()
    {
        auto window = controller();
        window->show();
        QMainWindow *main = window->window();
        QCOMPARE(window->selectedPane(), u"general"_s);
        QCOMPARE(main->windowTitle(), u"General"_s);
        const QList<QAction *> actions = main->findChild<QToolBar *>()->actions();
        QCOMPARE(actions.size(), 6);
        QCOMPARE(actions.at(2)->text(), u"Recognition"_s);

        // The user picks a pane; "Settings..." reopens on it after closing.
        actions.at(2)->trigger();
        QCOMPARE(main->windowTitle(), u"Recognition"_s);
        main->close();
        QVERIFY(!main->isVisible());
        window->show();
        QVERIFY(main->isVisible());
        QCOMPARE(window->selectedPane(), u"recognition"_s);

        // "About Kavri" always lands on About; an unknown pane on the first.
        window->show(u"about"_s);
        QCOMPARE(window->selectedPane(), u"about"_s);
        QCOMPARE(main->windowTitle(), u"About"_s);
        QVERIFY(actions.at(5)->isChecked());
        window->show(u"nonsense"_s);
        QCOMPARE(window->selectedPane(), u"general"_s);
    }

    void frameIsKeptUnderOneName()
    {
        QPoint position;
        {
            auto window = controller();
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window->window()));
            window->window()->move(120, 90);
            position = window->window()->pos();
            window->window()->close();
            QVERIFY(std::holds_alternative<QString>(m_store->object(SettingsWindowController::frameKey.toString())));
        }
        auto window = controller();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window->window()));
        QCOMPARE(window->window()->pos(), position);
    }
};

QTEST_MAIN(TestSettingsWindow)
#include "tst_settingswindow.moc"
