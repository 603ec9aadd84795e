// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Kavri's window on a real X server, over the real coordinator and capture service: what it shows
// for each last capture, the arrow-key navigation, what each row does and in which order it
// closes, dropped files, and where the window goes.
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>

#include "app/AppRootCoordinator.h"
#include "app/menubar/LastCapturedSection.h"
#include "app/menubar/MenuBarView.h"
#include "app/menubar/MenuBarWindow.h"
#include "app/menubar/MenuRow.h"
#include "capture/KavriCore.h"
#include "platform/AppInfo.h"
#include "platform/Pasteboard.h"
#include "platform/UserDefaults.h"
#include "settings/AppSettings.h"
#include "shortcuts/KeyboardShortcuts.h"
#include "support/CaptureServiceRig.h"

using namespace Qt::StringLiterals;
using namespace kavri;
using namespace kavri::test;

namespace {

QStringList titlesOf(const QMenu &menu)
{
    QStringList titles;
    for (const QAction *action : menu.actions())
        titles.append(action->isSeparator() ? u"-"_s : action->text() + (action->isEnabled() ? u""_s : u" (off)"_s));
    return titles;
}

QAction *actionTitled(const QMenu &menu, const QString &title)
{
    for (QAction *action : menu.actions()) {
        if (action->text() == title)
            return action;
    }
    return nullptr;
}

} // namespace

class TestMenuBarWindow : public QObject
{
    Q_OBJECT

private:
    struct Rig : CaptureServiceRig
    {
        int popups = 0;
        AppRootCoordinator coordinator { core, settings, shortcuts, pasteboard,
            [this](const QString &, PopupType, const std::optional<ParsedContent> &) { ++popups; } };
        // What the rows asked for, each with whether the window was still open then.
        QStringList log;
        QRect anchor;
        MenuBarWindow window { new MenuBarView(coordinator, shortcuts, actions()), [this] { return anchor; } };
        MenuBarView &view = window.view();

        MenuBarActions actions()
        {
            const auto note = [this](const QString &what) {
                log.append(what + (window.isVisible() ? u" (open)"_s : u" (closed)"_s));
            };
            return {
                .showSettings = [note](const QString &pane) { note(u"settings:"_s + pane); },
                .checkForUpdates = [note] { note(u"updates"_s); },
                .quit = [note] { note(u"quit"_s); },
                .openUrl = [note](const QUrl &url) { note(url.toString()); },
                .feedbackMailURL = [] { return std::optional<QUrl>(QUrl(u"mailto:x@example.org"_s)); },
                .performAction = [note](const QString &id, const ParsedContent &) { note(u"action:"_s + id); },
                .copyText = [note](const QString &text) { note(u"copy:"_s + text); },
                .showImportMenu = [note](QPoint) { note(u"import menu"_s); },
                .importFile = [note](const QString &path) { note(u"import:"_s + path); },
            };
        }

        // An imported image whose code decodes to \a payload becomes the last capture.
        void decode(const QString &payload)
        {
            recognizer.barcodes = Outcome<QStringList>(QStringList { payload });
            QImage image(8, 8, QImage::Format_RGB32);
            image.fill(Qt::white);
            core.processImage(image);
            QTRY_VERIFY(!core.isCapturing());
        }

        void open()
        {
            window.open();
            QVERIFY(QTest::qWaitForWindowActive(&window));
        }
    };

private Q_SLOTS:
    void showsTheLastCaptureWithItsActions_data()
    {
        QTest::addColumn<QString>("payload");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("more");
        const QStringList common { u"-"_s, u"Copy to Clipboard"_s, u"Show Popup"_s, u"Clear"_s };
        QTest::newRow("wifi with password") << u"WIFI:S:Cafe;T:WPA;P:pw;;"_s << u"Cafe"_s
                                            << QStringList { u"Cafe (off)"_s, u"Copy Password"_s } + common;
        QTest::newRow("open wifi") << u"WIFI:S:Lobby;T:nopass;;"_s << u"Lobby"_s
                                   << QStringList { u"Lobby (off)"_s } + common;
        QTest::newRow("wifi with empty type") << u"WIFI:S:Attic;T:;P:x;;"_s << u"Attic"_s
                                              << QStringList { u"Attic (off)"_s, u"Copy Password"_s } + common;
        QTest::newRow("link") << u"https://example.org/a"_s << u"https://example.org/a"_s
                              << QStringList { u"Open URL"_s } + common;
    }

    void showsTheLastCaptureWithItsActions()
    {
        QFETCH(QString, payload);
        QFETCH(QString, text);
        QFETCH(QStringList, more);
        Rig rig;
        rig.open();
        QVERIFY(rig.view.lastCapturedSection().isHidden());
        const int heightWithout = rig.window.height();

        rig.decode(payload);
        QTRY_VERIFY(rig.view.lastCapturedSection().isVisible());
        QVERIFY2(
            rig.view.lastCapturedSection().text().contains(text), qPrintable(rig.view.lastCapturedSection().text()));
        QCOMPARE(titlesOf(rig.view.moreMenu()), more);
        QTRY_VERIFY(rig.window.height() > heightWithout);

        actionTitled(rig.view.moreMenu(), u"Clear"_s)->trigger();
        QVERIFY(!rig.core.lastParsedContent());
        QTRY_VERIFY(rig.view.lastCapturedSection().isHidden());
        QVERIFY(!rig.window.isVisible());
    }

    void aLongTextScrollsInsteadOfGrowing()
    {
        Rig rig;
        rig.decode(QStringList(40, u"line of text"_s).join(u'\n'));
        rig.open();
        QScrollArea &box = rig.view.lastCapturedSection().textBox();
        QTRY_COMPARE(box.height(), LastCapturedSection::maximumTextHeight);
        QVERIFY(box.widget()->height() > box.height());

        QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(rig.popups, 2); // the capture's own card, then the tap's
        QVERIFY(!rig.window.isVisible());
    }

    void captureRowsRestWhileACaptureRuns()
    {
        Rig rig;
        rig.shortcuts.setShortcut(std::nullopt, KeyboardShortcuts::Names::captureScreen());
        rig.open();
        QCOMPARE(rig.view.row(FocusedItem::captureText).hint(), QString());
        QCOMPARE(rig.view.row(FocusedItem::captureQR).hint(), u"Ctrl+Shift+9"_s);

        rig.core.captureText();
        QVERIFY(!rig.view.row(FocusedItem::captureText).isEnabled());
        QVERIFY(!rig.view.row(FocusedItem::captureQR).isEnabled());
        QTest::mouseClick(&rig.view.row(FocusedItem::captureQR), Qt::LeftButton);
        QCOMPARE(rig.capturer.calls.open(), size_t(1));
        QVERIFY(rig.window.isVisible());

        QVERIFY(rig.capturer.calls.finish(Outcome<QImage>(KavriError::cancelled())));
        QTRY_VERIFY(rig.view.row(FocusedItem::captureText).isEnabled());
    }

    void arrowKeysMoveTheFocusRoundTheRows()
    {
        Rig rig;
        rig.open();
        const auto press = [&rig](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
            QTest::keyClick(&rig.window, key, modifiers);
            return rig.view.focusedItem();
        };
        QCOMPARE(press(Qt::Key_Down), FocusedItem::captureText);
        QCOMPARE(press(Qt::Key_Down), FocusedItem::captureQR);
        QCOMPARE(press(Qt::Key_Down), FocusedItem::captureImport);
        QCOMPARE(press(Qt::Key_Down), FocusedItem::settings);
        QCOMPARE(press(Qt::Key_Down), FocusedItem::quit);
        QCOMPARE(press(Qt::Key_Down, Qt::ShiftModifier), FocusedItem::captureText);
        QCOMPARE(press(Qt::Key_Up, Qt::ControlModifier), FocusedItem::quit);
        QVERIFY(rig.view.row(FocusedItem::quit).isHighlighted());
        QVERIFY(!rig.view.row(FocusedItem::captureText).isHighlighted());
        QCOMPARE(press(Qt::Key_Tab), FocusedItem::quit);

        // A fresh window starts with nothing focused; Up then starts at the bottom.
        rig.window.hide();
        rig.open();
        QCOMPARE(rig.view.focusedItem(), std::nullopt);
        QTest::keyClick(&rig.window, Qt::Key_Return);
        QVERIFY(rig.log.isEmpty());
        QVERIFY(rig.window.isVisible());
        QCOMPARE(press(Qt::Key_Up), FocusedItem::quit);
        QTest::keyClick(&rig.window, Qt::Key_Escape);
        QTRY_VERIFY(!rig.window.isVisible());
        // Closed on request, not by a focus loss: the toggle opens it again at once.
        rig.window.toggle();
        QVERIFY(rig.window.isVisible());
    }

    void returnActsOnTheFocusedRow_data()
    {
        QTest::addColumn<int>("downs");
        QTest::addColumn<QString>("logged");
        QTest::addColumn<bool>("staysOpen");
        QTest::newRow("capture text") << 1 << QString() << false;
        QTest::newRow("capture QR") << 2 << QString() << false;
        QTest::newRow("import") << 3 << u"import menu (open)"_s << true;
        QTest::newRow("settings") << 4 << u"settings: (closed)"_s << false;
        QTest::newRow("quit") << 5 << u"quit (open)"_s << true;
    }

    void returnActsOnTheFocusedRow()
    {
        QFETCH(int, downs);
        QFETCH(QString, logged);
        QFETCH(bool, staysOpen);
        Rig rig;
        rig.open();
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(&rig.window, Qt::Key_Down);
        QTest::keyClick(&rig.window, Qt::Key_Return);
        if (logged.isEmpty()) {
            // The window is gone before the selection overlay starts.
            QCOMPARE(rig.capturer.calls.open(), size_t(1));
            QVERIFY(!rig.window.isVisible());
            return;
        }
        QTRY_COMPARE(rig.log, QStringList { logged });
        QCOMPARE(rig.window.isVisible(), staysOpen);
        QVERIFY(!rig.view.isImportMenuOpen());
    }

    void rowsCloseBeforeOrAfterTheirWork()
    {
        Rig rig;
        rig.decode(u"https://example.org/a"_s);
        rig.open();
        actionTitled(rig.view.moreMenu(), u"Open URL"_s)->trigger();
        rig.open();
        actionTitled(rig.view.moreMenu(), u"Copy to Clipboard"_s)->trigger();
        rig.open();
        actionTitled(rig.view.gearMenu(), u"About Kavri"_s)->trigger();
        rig.open();
        actionTitled(rig.view.gearMenu(), u"Check for Updates..."_s)->trigger();
        QMenu *support = actionTitled(rig.view.gearMenu(), u"Support"_s)->menu();
        actionTitled(*support, u"FAQ"_s)->trigger();
        actionTitled(*support, u"Contact"_s)->trigger();
        QCOMPARE(rig.log,
            QStringList({ u"action:https://example.org/a (open)"_s, u"copy:https://example.org/a (open)"_s,
                u"settings:about (closed)"_s, u"updates (open)"_s, AppInfo::faqURL().toString() + u" (open)"_s,
                u"mailto:x@example.org (open)"_s }));
        QVERIFY(rig.window.isVisible());
    }

    void aDroppedImageFileIsImported()
    {
        Rig rig;
        rig.open();
        const auto drop = [&rig](const QList<QUrl> &urls) {
            QMimeData data;
            data.setUrls(urls);
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(&rig.view, &enter);
            if (!enter.isAccepted())
                return false;
            QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(&rig.view, &dropped);
            return true;
        };
        QVERIFY(!drop({ QUrl(u"https://example.org/a.png"_s), QUrl::fromLocalFile(u"/tmp/notes.txt"_s) }));
        QVERIFY(drop({ QUrl::fromLocalFile(u"/tmp/notes.txt"_s), QUrl::fromLocalFile(u"/tmp/Scan.JPG"_s) }));
        QCOMPARE(rig.log, QStringList { u"import:/tmp/Scan.JPG (open)"_s });
        QVERIFY(!rig.window.isVisible());
    }

    void losingTheFocusClosesIt()
    {
        Rig rig;
        rig.open();
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTRY_VERIFY(!rig.window.isVisible());
        // The tray click that took the focus does not reopen it at once.
        rig.window.toggle();
        QVERIFY(!rig.window.isVisible());
    }

    void theWindowOpensBesideItsAnchorOnScreen()
    {
        const QRect screen(0, 0, 1920, 1050);
        const QSize window(304, 300);
        // A tray at the bottom right (on a panel outside the available area): above the icon, right edges aligned.
        QCOMPARE(menuBarWindowPosition(window, QRect(1890, 1052, 22, 28), screen), QPoint(1912 - 304, 1052 - 4 - 300));
        QCOMPARE(menuBarWindowPosition(window, QRect(1890, 1020, 22, 28), screen), QPoint(1912 - 304, 1020 - 4 - 300));
        // A panel at the top left: below the icon.
        QCOMPARE(menuBarWindowPosition(window, QRect(10, 0, 22, 28), screen), QPoint(10, 28 + 4));
        // Too close to an edge: pushed inside.
        QCOMPARE(menuBarWindowPosition(window, QRect(1919, 10, 1, 1), screen), QPoint(1920 - 304, 15));

        Rig rig;
        rig.anchor = QRect(1800, 1000, 22, 28);
        rig.open();
        QCOMPARE(rig.window.geometry().right(), 1821);
        QCOMPARE(rig.window.geometry().bottom(), 1000 - 4 - 1);
    }
};

QTEST_MAIN(TestMenuBarWindow)
#include "tst_menubarwindow.moc"
