// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FocusReturn.h"

#include <cstdlib>
#include <memory>
#include <utility>

#include <xcb/xcb.h>

#include "platform/Log.h"
#include "platform/X11Desktop.h"

namespace kavri {

namespace {

// The source indication of a pager: the window manager follows it without focus-stealing checks,
// as the request stands for the user's own return to that window.
constexpr quint32 pagerSource = 2;

WId activeWindow(xcb_connection_t *connection, quint32 root, quint32 netActiveWindow)
{
    const auto cookie = xcb_get_property(connection, false, root, netActiveWindow, XCB_ATOM_WINDOW, 0, 1);
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), std::free);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return 0;
    return *static_cast<const quint32 *>(xcb_get_property_value(reply.get()));
}

} // namespace

void FocusReturn::remember(WId replacedCard)
{
    xcb_connection_t *connection = X11Desktop::connection();
    if (!connection)
        return;
    const WId active = activeWindow(
        connection, X11Desktop::rootWindow(connection), X11Desktop::atom(connection, "_NET_ACTIVE_WINDOW"));
    if (replacedCard && (active == replacedCard || active == 0))
        return;
    m_previous = active;
}

void FocusReturn::restore(WId card)
{
    const WId previous = std::exchange(m_previous, 0);
    xcb_connection_t *connection = X11Desktop::connection();
    if (!connection || !previous || !card || previous == card)
        return;
    const quint32 root = X11Desktop::rootWindow(connection);
    const quint32 netActiveWindow = X11Desktop::atom(connection, "_NET_ACTIVE_WINDOW");
    if (!netActiveWindow || activeWindow(connection, root, netActiveWindow) != card)
        return;

    xcb_client_message_event_t message {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = quint32(previous);
    message.type = netActiveWindow;
    message.data.data32[0] = pagerSource;
    message.data.data32[1] = XCB_CURRENT_TIME;
    message.data.data32[2] = quint32(card);
    xcb_send_event(connection, false, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
        reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
    qCDebug(lcKavri, "Returning the focus to window 0x%llx", static_cast<unsigned long long>(previous));
}

} // namespace kavri
