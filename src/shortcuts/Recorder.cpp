// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Recorder.h"

#include <cstdlib>
#include <limits>
#include <memory>

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>

#include <xcb/xcb_keysyms.h>

#include "HotKeyBackend.h"
#include "KeyTable.h"
#include "RecorderTexts.h"
#include "platform/SymbolImage.h"
#include "platform/X11Desktop.h"

using namespace Qt::StringLiterals;

namespace kavri::KeyboardShortcuts {

namespace {

constexpr Qt::KeyboardModifiers comboModifiers
    = Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier;
// The modifiers that make a combination out of an ordinary key.
constexpr Qt::KeyboardModifiers commandModifiers = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
// Never handed out by the registry, whose ids count up from 1.
constexpr quint32 probeId = std::numeric_limits<quint32>::max();

bool isModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Control:
    case Qt::Key_Shift:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        return true;
    default:
        return false;
    }
}

// The X key symbol the key gives without Shift, so that Ctrl+Shift+8 is recorded as such and not
// as Ctrl+Shift+* (what Qt reports on a US layout). None without an X display.
std::optional<KeyTable::Key> unshiftedX11Key(const QKeyEvent &event)
{
    xcb_connection_t *connection = X11Desktop::connection();
    if (!connection || event.nativeScanCode() == 0)
        return std::nullopt;
    std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)> symbols(
        xcb_key_symbols_alloc(connection), xcb_key_symbols_free);
    // The keypad's digits sit in the second column.
    for (const int column : { 0, 1 }) {
        const xcb_keysym_t keysym
            = xcb_key_symbols_get_keysym(symbols.get(), xcb_keycode_t(event.nativeScanCode()), column);
        if (const auto key = KeyTable::byKeysym(keysym))
            return key;
    }
    return std::nullopt;
}

std::optional<Shortcut> shortcutFor(const QKeyEvent &event, Qt::KeyboardModifiers modifiers)
{
    if (const auto key = unshiftedX11Key(event)) {
        // The modifiers in the stored encoding, taken from any key the table knows.
        const auto encoded = Shortcut::fromQt(QKeyCombination(modifiers & comboModifiers, Qt::Key_A));
        return Shortcut { key->carbonKeyCode, encoded ? encoded->carbonModifiers : 0 };
    }
    return Shortcut::fromQt(QKeyCombination(modifiers, Qt::Key(event.key())));
}

} // namespace

Recorder::Recorder(Registry &registry, Name name, QWidget *parent)
    : QWidget(parent)
    , m_registry(registry)
    , m_name(std::move(name))
    , m_field(new QLineEdit(this))
    , m_clearButton(new QToolButton(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_field->setReadOnly(true);
    m_field->setAlignment(Qt::AlignCenter);
    m_field->setMinimumWidth(130);
    m_field->setFocusPolicy(Qt::StrongFocus);
    m_field->setContextMenuPolicy(Qt::NoContextMenu);
    m_field->installEventFilter(this);
    m_clearButton->setIcon(SymbolImage::icon(u"xmark.circle.fill"_s));
    m_clearButton->setAutoRaise(true);
    m_clearButton->setFocusPolicy(Qt::NoFocus);
    m_clearButton->setAccessibleName(u"Clear"_s);
    layout->addWidget(m_field, 1);
    layout->addWidget(m_clearButton);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    connect(m_clearButton, &QToolButton::clicked, this, [this] {
        store(std::nullopt);
        stopRecording();
    });
    connect(&m_registry, &Registry::shortcutByNameDidChange, this, [this](const QString &changed) {
        if (changed == m_name.rawValue)
            refresh();
    });
    refresh();
}

Recorder::~Recorder()
{
    if (m_recording) {
        QCoreApplication::instance()->removeEventFilter(this);
        m_registry.setRecorderActive(false);
    }
}

void Recorder::setHotKeyBackend(HotKeyBackend *backend)
{
    m_backend = backend;
}

void Recorder::startRecording()
{
    if (m_recording)
        return;
    m_recording = true;
    m_field->setFocus(Qt::MouseFocusReason);
    // Releases outside the field end the recording.
    QCoreApplication::instance()->installEventFilter(this);
    m_registry.setRecorderActive(true);
    refresh();
    Q_EMIT recordingChanged(true);
}

void Recorder::stopRecording()
{
    if (!m_recording)
        return;
    m_recording = false;
    QCoreApplication::instance()->removeEventFilter(this);
    m_registry.setRecorderActive(false);
    refresh();
    Q_EMIT recordingChanged(false);
}

bool Recorder::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_field) {
        if (m_recording && event->type() == QEvent::MouseButtonRelease) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            const QRect fieldArea(m_field->mapToGlobal(QPoint(0, 0)), m_field->size());
            if (!fieldArea.contains(mouse->globalPosition().toPoint()))
                stopRecording();
        }
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        startRecording();
        return false;
    case QEvent::FocusOut:
        stopRecording();
        return false;
    case QEvent::ShortcutOverride:
        // Keeps window and application shortcuts from taking the keys being recorded.
        if (m_recording) {
            event->accept();
            return true;
        }
        return false;
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (m_recording)
            return judge(*key);
        if (key->key() == Qt::Key_Space || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            startRecording();
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

bool Recorder::judge(const QKeyEvent &event)
{
    const int key = event.key();
    // A modifier on its own: the rest of the combination is still to come.
    if (isModifierKey(key))
        return true;
    const Qt::KeyboardModifiers modifiers = event.modifiers() & comboModifiers;
    // Tab and Shift+Tab move the focus on, as everywhere else.
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && !(modifiers & commandModifiers))
        return false;
    if (modifiers == Qt::NoModifier) {
        if (key == Qt::Key_Escape) {
            stopRecording();
            return true;
        }
        if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
            store(std::nullopt);
            stopRecording();
            return true;
        }
    }
    const bool functionKey = key >= Qt::Key_F1 && key <= Qt::Key_F35;
    const auto shortcut = shortcutFor(event, modifiers | (event.modifiers() & Qt::KeypadModifier));
    if ((!(modifiers & commandModifiers) && !functionKey) || !shortcut) {
        QApplication::beep();
        return true;
    }
    for (const MenuAction &action : std::as_const(m_menuActions)) {
        if (Shortcut::fromQt(action.keys) == shortcut) {
            showAlert(RecorderTexts::text(u"keyboard_shortcut_used_by_menu_item").arg(action.title), {}, std::nullopt);
            return true;
        }
    }
    if (probe(*shortcut) != 0) {
        showAlert(RecorderTexts::text(u"keyboard_shortcut_used_by_system"),
            RecorderTexts::text(u"keyboard_shortcuts_can_be_changed"), shortcut);
        return true;
    }
    store(shortcut);
    stopRecording();
    return true;
}

void Recorder::store(const std::optional<Shortcut> &shortcut)
{
    m_registry.setShortcut(shortcut, m_name);
    refresh();
    Q_EMIT shortcutChanged(shortcut);
}

int Recorder::probe(const Shortcut &shortcut) const
{
    // While recording, the registry holds none of Kavri's own combinations: a refusal means
    // another program holds this one.
    if (!m_backend)
        return 0;
    const int status = m_backend->registerHotKey(shortcut, probeId);
    if (status == 0)
        m_backend->unregisterHotKey(probeId);
    return status;
}

void Recorder::showAlert(const QString &text, const QString &informativeText, const std::optional<Shortcut> &forcible)
{
    if (m_alert)
        m_alert->close();
    auto *alert = new QMessageBox(QMessageBox::Warning, QString(), text, QMessageBox::NoButton, this);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->setInformativeText(informativeText);
    alert->setDefaultButton(alert->addButton(RecorderTexts::text(u"ok"), QMessageBox::AcceptRole));
    if (forcible) {
        QPushButton *force = alert->addButton(RecorderTexts::text(u"force_use_shortcut"), QMessageBox::DestructiveRole);
        const Shortcut chosen = *forcible;
        connect(force, &QPushButton::clicked, this, [this, chosen] {
            stopRecording();
            store(chosen);
        });
    }
    // A sheet on the settings window; it never blocks the caller.
    alert->setWindowModality(window() != this ? Qt::WindowModal : Qt::ApplicationModal);
    m_alert = alert;
    alert->open();
}

void Recorder::refresh()
{
    const auto shortcut = m_registry.getShortcut(m_name);
    m_field->setText(shortcut && !m_recording ? shortcut->description() : QString());
    m_field->setPlaceholderText(RecorderTexts::text(m_recording ? u"press_shortcut" : u"record_shortcut"));
    m_clearButton->setVisible(shortcut.has_value());
}

} // namespace kavri::KeyboardShortcuts
