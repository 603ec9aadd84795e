// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>
#include <QList>
#include <QObject>

struct xcb_connection_t;

namespace kavri {

// Notices the Escape key wherever it is pressed, also in other applications, without taking it
// from them: XInput 2 raw key events on the X server's root window. Nothing is grabbed, so the
// focused application still gets its key. X11 only; elsewhere there is no such monitor.
class GlobalEscapeMonitor : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    // Under Qt's xcb platform, on a server with the XInput extension.
    static bool isAvailable();

    explicit GlobalEscapeMonitor(QObject *parent = nullptr);
    ~GlobalEscapeMonitor() override;

    // Starts observing; false, and logged, when the server refuses.
    bool start();
    void stop();
    bool isActive() const { return m_active; }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

Q_SIGNALS:
    // Also for Escape pressed in Kavri's own windows.
    void escapePressed();

private:
    bool select(quint32 mask);

    xcb_connection_t *m_connection = nullptr;
    quint32 m_root = 0;
    quint8 m_opcode = 0;
    QList<quint32> m_escapeKeyCodes;
    bool m_active = false;
};

} // namespace kavri
