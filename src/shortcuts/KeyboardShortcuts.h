// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <map>
#include <optional>

#include <QHash>
#include <QObject>
#include <QPointer>

#include "Shortcut.h"

namespace kavri {
class UserDefaults;
}

namespace kavri::KeyboardShortcuts {

class HotKeyBackend;

// A named shortcut; its stored value lives under "KeyboardShortcuts_" + rawValue.
struct Name
{
    QString rawValue;
    std::optional<Shortcut> defaultShortcut;
};

// Kavri's three names.
namespace Names {
const Name &toggleMenu();
const Name &captureScreen();
const Name &captureQRCode();
} // namespace Names

// The named shortcuts: their storage in the settings store, their registration with the
// desktop's global key service (one per distinct combination), and the handlers that run when
// a combination fires. Main thread only.
class Registry : public QObject
{
    Q_OBJECT

public:
    using Action = std::function<void()>;
    // Receives the line written when a combination cannot be registered.
    using DiagnosticSink = std::function<void(const QString &line)>;

    // Without a backend (no X11 display) shortcuts are stored and shown but never fire.
    Registry(UserDefaults &store, HotKeyBackend *backend, QObject *parent = nullptr);
    ~Registry() override;

    // The standard store and the desktop's backend.
    static Registry &shared();

    // Stores the name's default when the store holds nothing at all under its key.
    void create(const Name &name);

    std::optional<Shortcut> getShortcut(const Name &name) const;
    // None clears it: false is stored for a name with a default, the entry is removed otherwise.
    void setShortcut(const std::optional<Shortcut> &shortcut, const Name &name);
    // Each name back to its default, in order; a name without one is cleared.
    void reset(const QList<Name> &names);

    void onKeyUp(const Name &name, Action action);
    void onKeyDown(const Name &name, Action action);

    // While a recorder records, no handler runs and no combination is held, so that the
    // recorder receives every key itself.
    bool isPaused() const { return m_isPaused; }
    void setPaused(bool paused);
    // Posted by a recorder control when it starts or stops recording.
    void setRecorderActive(bool isActive);
    // The backend the combinations are registered with; none in a process without one.
    HotKeyBackend *backend() const;

    void setDiagnosticSink(DiagnosticSink sink) { m_diagnosticSink = std::move(sink); }

    static QString storeKey(const QString &rawValue);

Q_SIGNALS:
    void shortcutByNameDidChange(const QString &name);
    void recorderActiveStatusDidChange(bool isActive);

private:
    struct HotKey
    {
        Shortcut shortcut;
        quint32 id;
    };
    enum class Phase { down, up };

    void writeStored(const Name &name, const std::optional<Shortcut> &shortcut);
    // Registers every combination a name with handlers uses, and releases the others.
    // Combinations the desktop refused are tried again only after a change of the shortcuts.
    void updateRegistrations();
    void unregisterAll();
    void fire(quint32 id, Phase phase);

    UserDefaults &m_store;
    QPointer<HotKeyBackend> m_backend;
    DiagnosticSink m_diagnosticSink;
    QHash<QString, Name> m_names;
    std::map<QString, QList<Action>> m_keyDownHandlers;
    std::map<QString, QList<Action>> m_keyUpHandlers;
    QList<HotKey> m_hotKeys;
    QList<Shortcut> m_refused;
    quint32 m_lastId = 0;
    bool m_isPaused = false;
};

} // namespace kavri::KeyboardShortcuts
