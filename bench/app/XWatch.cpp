// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "XWatch.h"

#include <memory>

#include <QGuiApplication>
#include <QThread>

#include <xcb/xcb_keysyms.h>
#include <xcb/xfixes.h>
#include <xcb/xtest.h>

namespace {

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPtr<Reply> own(Reply *reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const auto reply
        = own(xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_keysym_t keysymOf(const QString &name)
{
    if (name == u"ctrl")
        return 0xffe3; // Control_L
    if (name == u"shift")
        return 0xffe1; // Shift_L
    if (name == u"alt")
        return 0xffe9; // Alt_L
    return name.size() == 1 ? xcb_keysym_t(name.at(0).toLower().unicode()) : 0;
}

} // namespace

XWatch::XWatch()
{
    m_clock.start();
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        qFatal("app_bench needs an X11 display");
    m_connection = x11->connection();
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;

    // Every map on the screen, on top of what Qt already listens to on the root window.
    const auto attributes
        = own(xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, m_root), nullptr));
    const uint32_t mask = (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);

    const xcb_query_extension_reply_t *fixes = xcb_get_extension_data(m_connection, &xcb_xfixes_id);
    if (!fixes || !fixes->present)
        qFatal("app_bench needs the XFixes extension");
    m_fixesEvent = fixes->first_event + XCB_XFIXES_SELECTION_NOTIFY;
    free(xcb_xfixes_query_version_reply(m_connection, xcb_xfixes_query_version(m_connection, 5, 0), nullptr));
    xcb_xfixes_select_selection_input(
        m_connection, m_root, atom(m_connection, "CLIPBOARD"), XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER);
    xcb_flush(m_connection);
    qGuiApp->installNativeEventFilter(this);
}

XWatch::~XWatch()
{
    qGuiApp->removeNativeEventFilter(this);
}

bool XWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const qint64 at = now();
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    const uint8_t type = event->response_type & 0x7f;
    if (type == m_fixesEvent) {
        Q_EMIT clipboardOwnerChanged(at);
    } else if (type == XCB_MAP_NOTIFY) {
        const auto *map = reinterpret_cast<const xcb_map_notify_event_t *>(event);
        if (map->event == m_root)
            Q_EMIT windowMapped(at, titleOf(map->window), pidOf(map->window));
    }
    return false;
}

QString XWatch::titleOf(xcb_window_t window) const
{
    const auto reply = own(xcb_get_property_reply(m_connection,
        xcb_get_property(m_connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr));
    if (!reply)
        return {};
    return QString::fromUtf8(
        static_cast<const char *>(xcb_get_property_value(reply.get())), xcb_get_property_value_length(reply.get()));
}

qint64 XWatch::pidOf(xcb_window_t window) const
{
    static const xcb_atom_t pidAtom = atom(m_connection, "_NET_WM_PID");
    const auto reply = own(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) != 4)
        return 0;
    return *static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
}

void XWatch::fakeInput(uint8_t type, uint8_t detail, QPoint at)
{
    xcb_test_fake_input(m_connection, type, detail, XCB_CURRENT_TIME, m_root, int16_t(at.x()), int16_t(at.y()), 0);
    xcb_flush(m_connection);
}

qint64 XWatch::pressKeys(const QStringList &keys)
{
    xcb_key_symbols_t *symbols = xcb_key_symbols_alloc(m_connection);
    QList<xcb_keycode_t> codes;
    for (const QString &key : keys) {
        std::unique_ptr<xcb_keycode_t, decltype(&std::free)> found(
            xcb_key_symbols_get_keycode(symbols, keysymOf(key)), &std::free);
        if (!found || *found == XCB_NO_SYMBOL)
            qFatal("no key for %s", qPrintable(key));
        codes.append(*found);
    }
    xcb_key_symbols_free(symbols);
    // Pressed a few milliseconds apart, as a hand presses them.
    for (const xcb_keycode_t code : codes) {
        fakeInput(XCB_KEY_PRESS, code);
        QThread::msleep(8);
    }
    // Let go all at once, so that the overlay's map event is not held up behind a sleep here.
    for (auto code = codes.crbegin(); code != codes.crend(); ++code)
        fakeInput(XCB_KEY_RELEASE, *code);
    return now();
}

void XWatch::moveMouse(QPoint to)
{
    fakeInput(XCB_MOTION_NOTIFY, 0, to);
}

void XWatch::pressButton()
{
    fakeInput(XCB_BUTTON_PRESS, 1);
}

void XWatch::releaseButton()
{
    fakeInput(XCB_BUTTON_RELEASE, 1);
}
