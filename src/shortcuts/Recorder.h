// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QKeyCombination>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "HotKeyBackend.h"
#include "KeyboardShortcuts.h"

class QKeyEvent;
class QLineEdit;
class QToolButton;

namespace kavri::KeyboardShortcuts {

// The control that shows and records one named shortcut: a field with the shortcut's text and a
// clear button. Clicking the field records the next accepted combination; while it records, the
// registry's shortcuts are paused so that pressing one lands here instead of firing.
class Recorder : public QWidget
{
    Q_OBJECT

public:
    // A combination one of Kavri's own menu actions answers to.
    struct MenuAction
    {
        QKeyCombination keys;
        QString title;
    };

    Recorder(Registry &registry, Name name, QWidget *parent = nullptr);
    ~Recorder() override;

    // Combinations refused because Kavri's own actions use them.
    void setMenuActions(QList<MenuAction> actions) { m_menuActions = std::move(actions); }
    // Where a combination is tried before it is taken, to tell whether another program holds it;
    // without one nothing is tried.
    void setHotKeyBackend(HotKeyBackend *backend);

    const Name &name() const { return m_name; }
    bool isRecording() const { return m_recording; }
    void startRecording();
    void stopRecording();

    // The field's text and placeholder, and the open warning (none when there is none), for
    // whoever drives the control without a pointer.
    QLineEdit *field() const { return m_field; }
    QToolButton *clearButton() const { return m_clearButton; }
    QMessageBox *activeAlert() const { return m_alert; }

Q_SIGNALS:
    // After a combination was stored or the shortcut cleared through this control.
    void shortcutChanged(const std::optional<kavri::KeyboardShortcuts::Shortcut> &shortcut);
    void recordingChanged(bool recording);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Whether the event was used.
    bool judge(const QKeyEvent &event);
    void store(const std::optional<Shortcut> &shortcut);
    // Non-zero when the desktop refuses to register the combination for Kavri.
    int probe(const Shortcut &shortcut) const;
    void showAlert(const QString &text, const QString &informativeText, const std::optional<Shortcut> &forcible);
    void refresh();

    Registry &m_registry;
    Name m_name;
    QList<MenuAction> m_menuActions;
    QPointer<HotKeyBackend> m_backend;
    QLineEdit *m_field;
    QToolButton *m_clearButton;
    QPointer<QMessageBox> m_alert;
    bool m_recording = false;
};

} // namespace kavri::KeyboardShortcuts
