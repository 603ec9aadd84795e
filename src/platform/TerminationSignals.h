// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;
class QTimer;

namespace kavri {

// Ends Kavri the orderly way when the session sends SIGTERM, SIGINT or SIGHUP: the event loop
// quits normally, so QCoreApplication::aboutToQuit handlers (which flush unsaved settings) run.
//
// The signal handler only writes the signal's number into a socket pair; the main thread reads it
// there, logs it, emits terminationRequested() and quits. A signal that comes before exec() ends
// the loop as soon as it runs; one that comes while Kavri is already quitting does no harm. The
// handlers stay until the application object is destroyed; then the signals' earlier dispositions
// (normally the default: terminate) return.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    // Installs the handlers once per application object; later calls return the same object.
    // Needs a QCoreApplication; main thread only. When no socket pair can be made (out of
    // descriptors) it logs a warning and leaves the signals as they were.
    static TerminationSignals &install();
    ~TerminationSignals() override;

Q_SIGNALS:
    // In the main thread, before the event loop is told to quit.
    void terminationRequested(int signalNumber);

private:
    explicit TerminationSignals(QObject *parent);
    void readSignals();

    int m_readFd = -1;
    int m_writeFd = -1;
    QSocketNotifier *m_notifier = nullptr;
    QTimer *m_quitRetry = nullptr;
};

} // namespace kavri
