// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlobalEscapeMonitor.h"

#include <cstdlib>
#include <memory>

#include <QCoreApplication>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xinput.h>

#include "platform/Log.h"
#include "platform/X11Desktop.h"

namespace kavri {

namespace {

constexpr xcb_keysym_t escapeKeysym = 0xff1b;

quint8 inputOpcode(xcb_connection_t *connection)
{
    const xcb_query_extension_reply_t *extension = xcb_get_extension_data(connection, &xcb_input_id);
    return extension && extension->present ? extension->major_opcode : 0;
}

QList<quint32> escapeKeyCodes(xcb_connection_t *connection)
{
    QList<quint32> codes;
    xcb_key_symbols_t *symbols = xcb_key_symbols_alloc(connection);
    if (!symbols)
        return codes;
    const std::unique_ptr<xcb_keycode_t, decltype(&std::free)> found(
        xcb_key_symbols_get_keycode(symbols, escapeKeysym), std::free);
    for (const xcb_keycode_t *code = found.get(); code && *code != XCB_NO_SYMBOL; ++code)
        if (!codes.contains(*code))
            codes.append(*code);
    xcb_key_symbols_free(symbols);
    return codes;
}

} // namespace

bool GlobalEscapeMonitor::isAvailable()
{
    xcb_connection_t *connection = X11Desktop::connection();
    return connection && inputOpcode(connection) != 0;
}

GlobalEscapeMonitor::GlobalEscapeMonitor(QObject *parent)
    : QObject(parent)
    , m_connection(X11Desktop::connection())
    , m_root(X11Desktop::rootWindow(m_connection))
    , m_opcode(m_connection ? inputOpcode(m_connection) : 0)
{ }

GlobalEscapeMonitor::~GlobalEscapeMonitor()
{
    stop();
}

bool GlobalEscapeMonitor::start()
{
    if (m_active)
        return true;
    if (!m_connection || !m_opcode || !m_root)
        return false;
    // Read afresh each time: the keyboard layout may have changed since the last card.
    m_escapeKeyCodes = escapeKeyCodes(m_connection);
    if (m_escapeKeyCodes.isEmpty()) {
        qCWarning(lcKavri, "This keyboard has no Escape key; the card closes only with its own button");
        return false;
    }
    if (!select(XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS))
        return false;
    QCoreApplication::instance()->installNativeEventFilter(this);
    m_active = true;
    return true;
}

void GlobalEscapeMonitor::stop()
{
    if (!m_active)
        return;
    m_active = false;
    // Without the application, Qt's connection to the server is gone and so is the selection.
    if (QCoreApplication *app = QCoreApplication::instance()) {
        app->removeNativeEventFilter(this);
        select(0);
    }
}

bool GlobalEscapeMonitor::select(quint32 mask)
{
    // Only the master devices: Qt keeps its own selection for all devices on the root window,
    // and one selection per device replaces the previous one.
    struct
    {
        xcb_input_event_mask_t header;
        quint32 mask;
    } selection { { XCB_INPUT_DEVICE_ALL_MASTER, 1 }, mask };
    const auto cookie = xcb_input_xi_select_events_checked(m_connection, m_root, 1, &selection.header);
    if (xcb_generic_error_t *error = xcb_request_check(m_connection, cookie)) {
        qCWarning(lcKavri, "The X server refused to report the Escape key (error %d)", int(error->error_code));
        std::free(error);
        return false;
    }
    return true;
}

bool GlobalEscapeMonitor::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (!m_active || eventType != "xcb_generic_event_t")
        return false;
    auto *event = static_cast<xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_GE_GENERIC)
        return false;
    auto *generic = static_cast<xcb_ge_generic_event_t *>(message);
    if (generic->extension != m_opcode || generic->event_type != XCB_INPUT_RAW_KEY_PRESS)
        return false;
    // The key code sits in the event's fixed part, which needs no reassembly.
    const auto *raw = static_cast<xcb_input_raw_key_press_event_t *>(message);
    if (m_escapeKeyCodes.contains(raw->detail))
        Q_EMIT escapePressed();
    // Raw events are Kavri's own selection; Qt has no use for them.
    return true;
}

} // namespace kavri
