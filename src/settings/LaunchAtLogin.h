// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

namespace kavri {

// Starts Kavri when the user logs in, through the desktop's autostart folder
// ($XDG_CONFIG_HOME/autostart/kavri.desktop). The state is the entry itself, read again on every
// question and never kept. Main thread only.
class LaunchAtLogin : public QObject
{
    Q_OBJECT

public:
    // \a executable is what the entry starts; empty means this process's own executable.
    explicit LaunchAtLogin(QString executable = {}, QObject *parent = nullptr);

    static QString entryPath();

    // True when the entry exists, starts Kavri and is not hidden or switched off.
    bool isEnabled() const;
    // On writes the entry afresh (also when it is already on, to refresh a stale one); off
    // removes Kavri's entry. Failures are logged, and the next isEnabled() tells the real state.
    void setEnabled(bool enabled);

    // The Exec value for \a program: quoted and escaped as desktop entries require.
    static QString execValue(const QString &program);

Q_SIGNALS:
    void aboutToChange();
    void changed();

private:
    bool registerEntry(QString *error) const;
    bool unregisterEntry(QString *error) const;

    QString m_executable;
};

} // namespace kavri
