// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "shortcuts/Recorder.h"

class QPushButton;

namespace kavri {

// The three global shortcuts, each with its recorder, and the way back to their defaults.
class ShortcutsSettingsPane : public QWidget
{
    Q_OBJECT

public:
    ShortcutsSettingsPane(KeyboardShortcuts::Registry &registry,
        const QList<KeyboardShortcuts::Recorder::MenuAction> &menuActions,
        KeyboardShortcuts::HotKeyBackend *hotKeys = nullptr, QWidget *parent = nullptr);

    // In the order shown: capture text, capture QR code, open menu.
    const QList<KeyboardShortcuts::Recorder *> &recorders() const { return m_recorders; }
    QPushButton *restoreDefaultsButton() const { return m_restoreDefaults; }

private:
    QList<KeyboardShortcuts::Recorder *> m_recorders;
    QPushButton *m_restoreDefaults;
};

} // namespace kavri
