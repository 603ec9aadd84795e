// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The result card on a private X server with a window manager, driven with xdotool as a user
// would: focus, Escape typed into another application, key observation and placement. Leaves a
// picture of every kind of card, on light and dark palettes, in the artifacts folder.
#include <array>
#include <cstdlib>
#include <memory>

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include "PopupHarness.h"
#include "app/popup/SelectableText.h"
#include "content/ContentKinds.h"
#include "support/X11Tools.h"

using namespace Qt::StringLiterals;
using namespace kavri;
using kavri::test::PopupHarness;
using kavri::test::runX11Tool;

namespace {

constexpr int pastTheFadeMs = 400;
constexpr quint32 rawKeyPress = XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS;

bool xdotool(const QStringList &arguments, QByteArray *output = nullptr)
{
    return runX11Tool(u"xdotool"_s, arguments, output);
}

WId activeWindow()
{
    QByteArray output;
    return xdotool({ u"getactivewindow"_s }, &output) ? output.trimmed().toULongLong() : 0;
}

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

// This client's XInput event selection on the root window for \a device.
quint32 rootSelection(quint16 device)
{
    xcb_connection_t *x = qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const Reply<xcb_input_xi_get_selected_events_reply_t> reply(
        xcb_input_xi_get_selected_events_reply(x, xcb_input_xi_get_selected_events(x, root), nullptr), std::free);
    for (auto masks = xcb_input_xi_get_selected_events_masks_iterator(reply.get()); reply && masks.rem;
         xcb_input_event_mask_next(&masks)) {
        if (masks.data->deviceid == device)
            return masks.data->mask_len ? *xcb_input_event_mask_mask(masks.data) : 0;
    }
    return 0;
}

// Another application's window, which reports the keys it receives.
class OtherApplication : public QObject
{
public:
    bool start(const QString &title)
    {
        connect(&m_process, &QProcess::readyReadStandardOutput, this, [this] {
            while (m_process.canReadLine())
                keys.append(QString::fromUtf8(m_process.readLine().trimmed()));
        });
        m_process.start(QStringLiteral(KEY_REPORTER), { title });
        QByteArray found;
        if (!m_process.waitForStarted()
            || !xdotool({ u"search"_s, u"--sync"_s, u"--name"_s, u"^"_s + title + u"$"_s }, &found))
            return false;
        window = found.split('\n').first().toULongLong();
        return window != 0;
    }
    ~OtherApplication() override
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    WId window = 0;
    QStringList keys;

private:
    QProcess m_process;
};

// The requests to activate a window that reach the window manager, as another client sees them:
// (window to activate, source indication, window active until then).
class ActivationRequests
{
public:
    ActivationRequests()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const quint32 mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, root, XCB_CW_EVENT_MASK, &mask);
        const Reply<xcb_intern_atom_reply_t> atom(
            xcb_intern_atom_reply(
                m_connection, xcb_intern_atom(m_connection, false, 18, "_NET_ACTIVE_WINDOW"), nullptr),
            std::free);
        m_atom = atom ? atom->atom : 0;
        xcb_flush(m_connection);
    }
    ~ActivationRequests() { xcb_disconnect(m_connection); }

    QList<std::array<quint32, 3>> received()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            const auto *message = reinterpret_cast<const xcb_client_message_event_t *>(event);
            if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE && message->type == m_atom)
                m_received.append({ message->window, message->data.data32[0], message->data.data32[2] });
            std::free(event);
        }
        return m_received;
    }

private:
    xcb_connection_t *m_connection;
    xcb_atom_t m_atom = 0;
    QList<std::array<quint32, 3>> m_received;
};

} // namespace

class TestResultPopupX11 : public QObject
{
    Q_OBJECT

private:
    OtherApplication m_other;
    OtherApplication m_third;

    // Leaves the focus in the other application's window, also as far as Qt is concerned.
    static void activate(const OtherApplication &application)
    {
        QVERIFY(xdotool({ u"windowactivate"_s, u"--sync"_s, QString::number(application.window) }));
        QTRY_COMPARE(activeWindow(), application.window);
        QTRY_VERIFY(!QGuiApplication::focusWindow());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);
        QVERIFY(m_other.start(u"Kavri Test Other Application"_s));
        QVERIFY(m_third.start(u"Kavri Test Third Application"_s));
    }

    void init() { m_other.keys.clear(); }

    // The window manager is asked to give the focus back to the window that had it before the
    // first card, as a pager would (source 2): not every window manager falls back to it itself.
    // Once the user has gone elsewhere, a closing card takes nobody's focus.
    void theCardTakesTheFocusAndGivesItBack()
    {
        activate(m_other);
        PopupHarness popup;
        QVERIFY(QTest::qWaitForWindowExposed(popup.show(u"first"_s, PopupType::error)));
        QTRY_COMPARE(activeWindow(), popup.card()->winId());
        QWidget *card = popup.show(u"Hello"_s);
        QVERIFY(QTest::qWaitForWindowExposed(card));
        QTRY_COMPARE(activeWindow(), card->winId());
        {
            ActivationRequests requests;
            const std::array<quint32, 3> giveBack { quint32(m_other.window), 2, quint32(card->winId()) };
            QVERIFY(xdotool({ u"key"_s, u"Escape"_s }));
            QTRY_VERIFY(!popup.card());
            QTRY_VERIFY(requests.received().contains(giveBack));
            QTRY_COMPARE(activeWindow(), m_other.window);
            // The card had the key, the other application never saw it.
            QTest::qWait(100);
            QVERIFY(!m_other.keys.contains(u"Esc"_s));
        }

        card = popup.show(u"Hello"_s);
        QTRY_COMPARE(activeWindow(), card->winId());
        activate(m_third);
        ActivationRequests requests;
        popup.controller.closeImmediately();
        QTest::qWait(pastTheFadeMs);
        QVERIFY(requests.received().isEmpty());
        QCOMPARE(activeWindow(), m_third.window);
    }

    // Escape is observed only while a card is shown, and Qt's own input selection stays alone.
    void escapeInAnotherApplicationClosesTheCardAndReachesIt()
    {
        const quint32 qtOwn = rootSelection(XCB_INPUT_DEVICE_ALL);
        QCOMPARE(rootSelection(XCB_INPUT_DEVICE_ALL_MASTER) & rawKeyPress, 0u);
        {
            PopupHarness popup;
            QVERIFY(QTest::qWaitForWindowExposed(popup.show(u"Hello"_s)));
            QVERIFY(rootSelection(XCB_INPUT_DEVICE_ALL_MASTER) & rawKeyPress);
            activate(m_other);
            QVERIFY(xdotool({ u"key"_s, u"a"_s, u"Return"_s }));
            QTRY_COMPARE(m_other.keys, QStringList({ u"A"_s, u"Return"_s }));
            QTest::qWait(pastTheFadeMs);
            QVERIFY(popup.card());

            QVERIFY(xdotool({ u"key"_s, u"Escape"_s }));
            QTRY_VERIFY(!popup.card());
            QTRY_VERIFY(m_other.keys.contains(u"Esc"_s));
            QCOMPARE(activeWindow(), m_other.window);
            QCOMPARE(rootSelection(XCB_INPUT_DEVICE_ALL_MASTER), 0u);
            QCOMPARE(rootSelection(XCB_INPUT_DEVICE_ALL), qtOwn);
            // Another card, another selection, gone with the controller.
            popup.show(u"Hello"_s);
            QVERIFY(rootSelection(XCB_INPUT_DEVICE_ALL_MASTER) & rawKeyPress);
        }
        QCOMPARE(rootSelection(XCB_INPUT_DEVICE_ALL_MASTER), 0u);
    }

    // The tray panel takes the bottom of the screen, so the usable centre is not the screen's.
    void theCardIsCentredOnTheUsableAreaUnderThePointer()
    {
        const QPoint pointer(1500, 300);
        QVERIFY(xdotool({ u"mousemove"_s, QString::number(pointer.x()), QString::number(pointer.y()) }));
        QTRY_COMPARE(QCursor::pos(), pointer);
        PopupHarness popup;
        QWidget *card = popup.show(QString(), PopupType::noTextFound);
        QVERIFY(QTest::qWaitForWindowExposed(card));
        const QPoint centre = QGuiApplication::screenAt(pointer)->availableGeometry().center();
        QTRY_VERIFY2((card->geometry().center() - centre).manhattanLength() <= 2,
            qPrintable(u"card at %1,%2"_s.arg(card->geometry().center().x()).arg(card->geometry().center().y())));
    }

    void picturesOfEveryCard()
    {
        const QString folder = qEnvironmentVariable("KAVRI_ARTIFACTS");
        QVERIFY(!folder.isEmpty() && QDir().mkpath(folder));
        const QString vcard = u"BEGIN:VCARD\nFN:Ada Lovelace\nTEL:+44 20 7946 0000\nEND:VCARD"_s;
        const std::optional<ParsedContent> contact = VCardContent(vcard, u"Ada Lovelace"_s,
            { { u"person.fill"_s, u"Ada Lovelace"_s }, { u"phone.fill"_s, u"+44 20 7946 0000"_s } });
        const std::optional<ParsedContent> settingsLink = URLContent(QString(), { QUrl(u"https://example.org/"_s) });
        const QPalette light = QApplication::palette();
        PopupHarness popup;
        for (const bool dark : { false, true }) {
            QApplication::setPalette(dark ? QPalette(QColor(0x3a, 0x3a, 0x3e)) : light);
            for (int type = 0; type <= int(PopupType::permissionDenied); ++type) {
                const auto popupType = PopupType(type);
                QWidget *card = popup.show(u"Kavri reads the text on the screen.\nTwo lines of it."_s, popupType,
                    popupType == PopupType::qrCode                 ? contact
                        : popupType == PopupType::permissionDenied ? settingsLink
                                                                   : std::nullopt);
                QVERIFY(QTest::qWaitForWindowExposed(card));
                const QImage picture = card->grab().toImage();
                // The card itself is painted, whatever the desktop does around it.
                QVERIFY(qAlpha(picture.pixel(picture.width() / 2, picture.height() * 7 / 8)) > 200);
                const QString name = card->windowTitle().toLower().replace(u' ', u'-');
                QVERIFY(picture.save(u"%1/popup-%2-%3.png"_s.arg(folder, name, dark ? u"dark"_s : u"light"_s)));
                if (const auto *body = card->findChild<SelectableText *>(u"bodyText"_s)) {
                    const QFontMetrics monospaced(body->font());
                    QCOMPARE(monospaced.horizontalAdvance(u"iiii"_s), monospaced.horizontalAdvance(u"MMMM"_s));
                }
            }
        }
        QApplication::setPalette(light);
    }
};

QTEST_MAIN(TestResultPopupX11)
#include "tst_resultpopup_x11.moc"
