// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShortcutsSettingsPane.h"

#include <QFormLayout>
#include <QPushButton>

#include "SettingsForm.h"
#include "SettingsTexts.h"

namespace kavri {

ShortcutsSettingsPane::ShortcutsSettingsPane(KeyboardShortcuts::Registry &registry,
    const QList<KeyboardShortcuts::Recorder::MenuAction> &menuActions, KeyboardShortcuts::HotKeyBackend *hotKeys,
    QWidget *parent)
    : QWidget(parent)
    , m_restoreDefaults(new QPushButton(SettingsTexts::restoreDefaults.toString()))
{
    namespace Names = KeyboardShortcuts::Names;
    QVBoxLayout *column = SettingsForm::column(this);
    QVBoxLayout *section = SettingsForm::section(column, SettingsTexts::globalShortcuts.toString());
    auto *form = new QFormLayout;
    section->addLayout(form);
    const std::pair<QStringView, const KeyboardShortcuts::Name &> rows[] = {
        { SettingsTexts::captureTextShortcut, Names::captureScreen() },
        { SettingsTexts::captureQRCodeShortcut, Names::captureQRCode() },
        { SettingsTexts::openMenuShortcut, Names::toggleMenu() },
    };
    for (const auto &row : rows) {
        auto *recorder = new KeyboardShortcuts::Recorder(registry, row.second);
        recorder->setMenuActions(menuActions);
        recorder->setHotKeyBackend(hotKeys);
        form->addRow(row.first.toString(), recorder);
        m_recorders.append(recorder);
    }
    SettingsForm::section(column)->addLayout(SettingsForm::centred(m_restoreDefaults));
    column->addStretch();

    // Each recorder follows the registry's change notification, so all three redraw at once.
    connect(m_restoreDefaults, &QPushButton::clicked, this, [&registry] {
        registry.reset({ Names::toggleMenu(), Names::captureScreen(), Names::captureQRCode() });
    });
}

} // namespace kavri
