// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11Desktop.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include <QByteArray>
#include <QGuiApplication>

#include <xcb/xcb.h>

namespace kavri::X11Desktop {

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

int screenNumber()
{
    char *host = nullptr;
    int display = 0;
    int screen = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen))
        std::free(host);
    return screen;
}

} // namespace

xcb_connection_t *connection()
{
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app || QGuiApplication::platformName() != u"xcb")
        return nullptr;
    auto *x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

quint32 rootWindow(xcb_connection_t *connection)
{
    if (!connection)
        return 0;
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = screenNumber(); i > 0 && screens.rem > 1; --i)
        xcb_screen_next(&screens);
    return screens.rem > 0 ? screens.data->root : 0;
}

quint32 atom(xcb_connection_t *connection, const char *name)
{
    if (!connection)
        return 0;
    const auto cookie = xcb_intern_atom(connection, false, quint16(std::strlen(name)), name);
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr), std::free);
    return reply ? reply->atom : 0;
}

bool compositingManagerRunning()
{
    xcb_connection_t *x = connection();
    if (!x)
        return false;
    // A compositing manager owns this selection for as long as it runs.
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screenNumber());
    const quint32 selection = atom(x, name.constData());
    if (!selection)
        return false;
    const auto cookie = xcb_get_selection_owner(x, selection);
    const Reply<xcb_get_selection_owner_reply_t> reply(xcb_get_selection_owner_reply(x, cookie, nullptr), std::free);
    return reply && reply->owner != XCB_NONE;
}

bool pointerButtonDown()
{
    xcb_connection_t *x = connection();
    if (!x)
        return false;
    const auto cookie = xcb_query_pointer(x, rootWindow(x));
    const Reply<xcb_query_pointer_reply_t> reply(xcb_query_pointer_reply(x, cookie, nullptr), std::free);
    constexpr quint16 buttons = XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3;
    return reply && (reply->mask & buttons) != 0;
}

} // namespace kavri::X11Desktop
