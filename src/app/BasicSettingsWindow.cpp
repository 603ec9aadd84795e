// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BasicSettingsWindow.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>

#include "settings/AppSettings.h"
#include "shortcuts/KeyboardShortcuts.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

QCheckBox *toggle(const QString &title, bool value, QWidget *parent, std::function<void(bool)> write)
{
    auto *box = new QCheckBox(title, parent);
    box->setChecked(value);
    QObject::connect(box, &QCheckBox::toggled, parent, std::move(write));
    return box;
}

} // namespace

BasicSettingsWindow::BasicSettingsWindow(AppSettings &settings, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(u"Kavri Settings"_s);
    auto *form = new QFormLayout(this);
    form->addRow(toggle(u"Show result popup"_s, settings.showResultPopup(), this,
        [&settings](bool on) { settings.setShowResultPopup(on); }));
    form->addRow(toggle(u"Play sound effects"_s, settings.soundEffectsEnabled(), this,
        [&settings](bool on) { settings.setSoundEffectsEnabled(on); }));

    namespace Names = KeyboardShortcuts::Names;
    auto &shortcuts = KeyboardShortcuts::Registry::shared();
    const std::pair<QString, const KeyboardShortcuts::Name &> rows[] = {
        { u"Capture Text:"_s, Names::captureScreen() },
        { u"Capture QR Code:"_s, Names::captureQRCode() },
        { u"Open Kavri:"_s, Names::toggleMenu() },
    };
    for (const auto &row : rows) {
        const auto shortcut = shortcuts.getShortcut(row.second);
        form->addRow(row.first, new QLabel(shortcut ? shortcut->description() : u"None"_s, this));
    }
}

void BasicSettingsWindow::showAndRaise()
{
    show();
    raise();
    activateWindow();
}

} // namespace kavri
