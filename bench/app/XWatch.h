// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

#include <xcb/xcb.h>

// What the X server tells every client, timed on arrival: windows mapped anywhere on the
// screen (with their title and owning process) and changes of the CLIPBOARD's owner. Also types
// and drags through XTest, so that the input reaches the server without a helper process's
// start-up in the figures. All times are nanoseconds on one QElapsedTimer.
class XWatch : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    XWatch();
    ~XWatch() override;

    qint64 now() const { return m_clock.nsecsElapsed(); }

    // Presses the keys together and releases them, the last first; \a keys are X keysym names
    // ("ctrl", "shift", "8"). Returns when the last key was let go, which is when a shortcut fires.
    qint64 pressKeys(const QStringList &keys);
    void moveMouse(QPoint to);
    void pressButton();
    void releaseButton();

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

Q_SIGNALS:
    void windowMapped(qint64 at, const QString &title, qint64 pid);
    void clipboardOwnerChanged(qint64 at);

private:
    void fakeInput(uint8_t type, uint8_t detail, QPoint at = {});
    QString titleOf(xcb_window_t window) const;
    qint64 pidOf(xcb_window_t window) const;

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = 0;
    uint8_t m_fixesEvent = 0;
    QElapsedTimer m_clock;
};
