// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopScreenAccess.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

bool hasScreenshotPortal()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage introspect = QDBusMessage::createMethodCall(u"org.freedesktop.portal.Desktop"_s,
        u"/org/freedesktop/portal/desktop"_s, u"org.freedesktop.DBus.Introspectable"_s, u"Introspect"_s);
    const QDBusMessage reply = bus.call(introspect, QDBus::Block, 3000);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
        && reply.arguments().constFirst().toString().contains(u"org.freedesktop.portal.Screenshot");
}

} // namespace

QString DesktopScreenAccess::unavailableReason() const
{
    if (QGuiApplication::platformName() == u"xcb")
        return {};
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && hasScreenshotPortal())
        return {};
    return u"no X11 display and no screenshot portal in this session"_s;
}

} // namespace kavri
