// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Global shortcuts on a private X server, typed with xdotool as a user would: they fire once on
// release, not while held, survive the lock keys and Kavri's own open menus, and a combination
// another client holds is reported instead of firing.
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <xcb/xcb.h>

#include "platform/UserDefaults.h"
#include "shortcuts/KeyboardShortcuts.h"
#include "shortcuts/X11HotKeys.h"
#include "support/X11Tools.h"

using namespace Qt::StringLiterals;
using namespace kavri;
using namespace kavri::KeyboardShortcuts;
using kavri::test::runX11Tool;

namespace {

bool xdotool(const QStringList &arguments)
{
    return runX11Tool(u"xdotool"_s, arguments);
}

// Another X client that holds Ctrl+Shift+9 before Kavri asks for it.
class OtherClientGrab
{
public:
    OtherClientGrab()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        const xcb_setup_t *setup = xcb_get_setup(m_connection);
        const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;
        // Key code of "9" in the server's default keymap, found through xmodmap's table.
        QByteArray table;
        runX11Tool(u"xmodmap"_s, { u"-pke"_s }, &table);
        for (const QByteArray &line : table.split('\n'))
            if (line.contains("= 9 parenleft"))
                m_keyCode = quint8(line.simplified().split(' ').value(1).toInt());
        m_grabbed = m_keyCode
            && !xcb_request_check(m_connection,
                xcb_grab_key_checked(m_connection, true, root, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT, m_keyCode,
                    XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    }
    ~OtherClientGrab() { xcb_disconnect(m_connection); }
    bool grabbed() const { return m_grabbed; }

private:
    xcb_connection_t *m_connection;
    quint8 m_keyCode = 0;
    bool m_grabbed = false;
};

} // namespace

class TestGlobalHotKeysX11 : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<UserDefaults> m_store;
    std::unique_ptr<Registry> m_registry;
    QStringList m_calls;
    QStringList m_diagnostics;

    void bind(const Name &name)
    {
        m_registry->create(name);
        m_registry->onKeyDown(name, [this, name] { m_calls.append(name.rawValue + u" down"_s); });
        m_registry->onKeyUp(name, [this, name] { m_calls.append(name.rawValue + u" up"_s); });
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(X11HotKeys::isAvailable());
        // Fast auto-repeat, so that a held key repeats many times within a short test.
        QVERIFY(runX11Tool(u"xset"_s, { u"r"_s, u"rate"_s, u"100"_s, u"50"_s }));
    }

    void init()
    {
        QFile::remove(m_dir.filePath(u"defaults.plist"_s));
        m_store = std::make_unique<UserDefaults>(m_dir.filePath(u"defaults.plist"_s));
        m_registry = std::make_unique<Registry>(*m_store, new X11HotKeys(m_store.get()));
        m_registry->setDiagnosticSink([this](const QString &line) { m_diagnostics.append(line); });
        m_calls.clear();
        m_diagnostics.clear();
    }

    void cleanup()
    {
        m_registry.reset();
        m_store.reset();
    }

    void aTypedShortcutFiresOnceDownAndOnceUp()
    {
        bind(Names::captureScreen());
        QVERIFY(xdotool({ u"key"_s, u"ctrl+shift+8"_s }));
        QTRY_COMPARE(m_calls, QStringList({ u"captureScreen down"_s, u"captureScreen up"_s }));
        // With NumLock and CapsLock on it is the same combination.
        m_calls.clear();
        QVERIFY(xdotool({ u"key"_s, u"Num_Lock"_s, u"Caps_Lock"_s, u"ctrl+shift+8"_s, u"Num_Lock"_s, u"Caps_Lock"_s }));
        QTRY_COMPARE(m_calls, QStringList({ u"captureScreen down"_s, u"captureScreen up"_s }));
        QVERIFY(m_diagnostics.isEmpty());
    }

    void aHeldShortcutFiresNothingUntilReleased()
    {
        bind(Names::captureScreen());
        QVERIFY(xdotool({ u"keydown"_s, u"ctrl+shift+8"_s }));
        QTRY_COMPARE(m_calls, QStringList(u"captureScreen down"_s));
        QTest::qWait(400); // many auto-repeats at 50 per second
        QCOMPARE(m_calls, QStringList(u"captureScreen down"_s));
        QVERIFY(xdotool({ u"keyup"_s, u"8"_s, u"shift"_s, u"ctrl"_s }));
        QTRY_COMPARE(m_calls, QStringList({ u"captureScreen down"_s, u"captureScreen up"_s }));
        QTest::qWait(100);
        QCOMPARE(m_calls.size(), 2);
    }

    void twoNamesOnOneCombinationBothFire()
    {
        bind(Names::captureScreen());
        bind(Names::toggleMenu());
        m_registry->setShortcut(Shortcut { 28, 768 }, Names::toggleMenu());
        QVERIFY(xdotool({ u"key"_s, u"ctrl+shift+8"_s }));
        QTRY_COMPARE(m_calls.size(), 4);
        QCOMPARE(m_calls.mid(2), QStringList({ u"captureScreen up"_s, u"toggleMenu up"_s }));
        // Changing it takes effect at once: the old combination is free again.
        m_calls.clear();
        m_registry->setShortcut(Shortcut { 40, 0x100 | 0x800 }, Names::toggleMenu());
        m_registry->setShortcut(std::nullopt, Names::captureScreen());
        QVERIFY(xdotool({ u"key"_s, u"ctrl+shift+8"_s, u"ctrl+alt+k"_s }));
        QTRY_COMPARE(m_calls, QStringList({ u"toggleMenu down"_s, u"toggleMenu up"_s }));
    }

    void aCombinationAnotherClientHoldsIsReportedAndNeverFires()
    {
        OtherClientGrab other;
        QVERIFY(other.grabbed());
        bind(Names::captureQRCode());
        QCOMPARE(m_diagnostics, QStringList(u"Error registering hotkey Ctrl+Shift+9: 10"_s));
        QCOMPARE(m_registry->getShortcut(Names::captureQRCode()), Shortcut({ 25, 768 }));
        QVERIFY(xdotool({ u"key"_s, u"ctrl+shift+9"_s }));
        QTest::qWait(200);
        QVERIFY(m_calls.isEmpty());
    }

    void shortcutsWorkWhileKavrisMenuHoldsTheKeyboard()
    {
        bind(Names::captureScreen());
        QMenu menu;
        menu.addAction(u"Capture Text"_s);
        menu.popup(QPoint(200, 200));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QTRY_VERIFY(menu.isVisible());
        QTest::qWait(100); // the menu's keyboard grab
        QVERIFY(xdotool({ u"key"_s, u"ctrl+shift+8"_s }));
        QTRY_COMPARE(m_calls, QStringList({ u"captureScreen down"_s, u"captureScreen up"_s }));
        QVERIFY(menu.isVisible());
    }
};

QTEST_MAIN(TestGlobalHotKeysX11)
#include "tst_globalhotkeys_x11.moc"
