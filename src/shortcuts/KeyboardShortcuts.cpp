// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyboardShortcuts.h"

#include <cstdio>

#include <QCoreApplication>
#include <QGuiApplication>

#include "HotKeyBackend.h"
#include "X11HotKeys.h"
#include "platform/UserDefaults.h"

using namespace Qt::StringLiterals;

namespace kavri::KeyboardShortcuts {

namespace Names {

namespace {
constexpr Shortcut shiftCommand(int keyCode)
{
    return { keyCode, CarbonModifier::shift | CarbonModifier::command };
}
} // namespace

const Name &toggleMenu()
{
    static const Name name { u"toggleMenu"_s, shiftCommand(29) };
    return name;
}

const Name &captureScreen()
{
    static const Name name { u"captureScreen"_s, shiftCommand(28) };
    return name;
}

const Name &captureQRCode()
{
    static const Name name { u"captureQRCode"_s, shiftCommand(25) };
    return name;
}

} // namespace Names

namespace {

void writeToStandardOutput(const QString &line)
{
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

} // namespace

Registry::Registry(UserDefaults &store, HotKeyBackend *backend, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_backend(backend)
    , m_diagnosticSink(writeToStandardOutput)
{
    if (m_backend) {
        connect(m_backend, &HotKeyBackend::hotKeyPressed, this, [this](quint32 id) { fire(id, Phase::down); });
        connect(m_backend, &HotKeyBackend::hotKeyReleased, this, [this](quint32 id) { fire(id, Phase::up); });
    }
}

Registry::~Registry()
{
    unregisterAll();
}

Registry &Registry::shared()
{
    static HotKeyBackend *backend = X11HotKeys::isAvailable() ? new X11HotKeys(qApp) : nullptr;
    static auto *registry = new Registry(UserDefaults::standard(), backend, qApp);
    return *registry;
}

QString Registry::storeKey(const QString &rawValue)
{
    return u"KeyboardShortcuts_"_s + rawValue;
}

void Registry::create(const Name &name)
{
    m_names.insert(name.rawValue, name);
    // Any entry at all, even false, means the user has decided; their decision stands.
    const auto stored = m_store.object(storeKey(name.rawValue));
    if (name.defaultShortcut && std::holds_alternative<std::monostate>(stored))
        setShortcut(name.defaultShortcut, name);
}

std::optional<Shortcut> Registry::getShortcut(const Name &name) const
{
    const auto stored = m_store.object(storeKey(name.rawValue));
    const QString *json = std::get_if<QString>(&stored);
    return json ? Shortcut::fromJson(json->toUtf8()) : std::nullopt;
}

void Registry::setShortcut(const std::optional<Shortcut> &shortcut, const Name &name)
{
    m_names.insert(name.rawValue, name);
    if (!shortcut && !getShortcut(name))
        return;
    writeStored(name, shortcut);
}

void Registry::reset(const QList<Name> &names)
{
    for (const Name &name : names) {
        if (name.defaultShortcut)
            setShortcut(name.defaultShortcut, name);
        else if (getShortcut(name))
            writeStored(name, std::nullopt);
    }
}

void Registry::writeStored(const Name &name, const std::optional<Shortcut> &shortcut)
{
    const QString key = storeKey(name.rawValue);
    if (shortcut)
        m_store.set(key, QString::fromUtf8(shortcut->toJson()));
    else if (name.defaultShortcut)
        m_store.set(key, false);
    else
        m_store.remove(key);
    m_refused.clear();
    updateRegistrations();
    Q_EMIT shortcutByNameDidChange(name.rawValue);
}

void Registry::onKeyUp(const Name &name, Action action)
{
    m_names.insert(name.rawValue, name);
    m_keyUpHandlers[name.rawValue].append(std::move(action));
    updateRegistrations();
}

void Registry::onKeyDown(const Name &name, Action action)
{
    m_names.insert(name.rawValue, name);
    m_keyDownHandlers[name.rawValue].append(std::move(action));
    updateRegistrations();
}

void Registry::setPaused(bool paused)
{
    if (m_isPaused == paused)
        return;
    m_isPaused = paused;
    m_refused.clear();
    updateRegistrations();
}

void Registry::setRecorderActive(bool isActive)
{
    setPaused(isActive);
    Q_EMIT recorderActiveStatusDidChange(isActive);
}

void Registry::updateRegistrations()
{
    if (!m_backend)
        return;
    QList<Shortcut> wanted;
    if (!m_isPaused) {
        for (const Name &name : std::as_const(m_names)) {
            if (!m_keyUpHandlers.contains(name.rawValue) && !m_keyDownHandlers.contains(name.rawValue))
                continue;
            if (const auto shortcut = getShortcut(name); shortcut && !wanted.contains(*shortcut))
                wanted.append(*shortcut);
        }
    }
    // A combination another name still uses stays registered.
    for (auto it = m_hotKeys.begin(); it != m_hotKeys.end();) {
        if (wanted.contains(it->shortcut)) {
            ++it;
            continue;
        }
        m_backend->unregisterHotKey(it->id);
        it = m_hotKeys.erase(it);
    }
    for (const Shortcut &shortcut : std::as_const(wanted)) {
        const bool registered = std::any_of(
            m_hotKeys.cbegin(), m_hotKeys.cend(), [&](const HotKey &hotKey) { return hotKey.shortcut == shortcut; });
        if (registered || m_refused.contains(shortcut))
            continue;
        const quint32 id = ++m_lastId;
        if (const int status = m_backend->registerHotKey(shortcut, id); status != 0) {
            m_refused.append(shortcut);
            m_diagnosticSink(u"Error registering hotkey %1: %2"_s.arg(shortcut.description()).arg(status));
            continue;
        }
        m_hotKeys.append({ shortcut, id });
    }
}

void Registry::unregisterAll()
{
    if (!m_backend)
        return;
    for (const HotKey &hotKey : std::as_const(m_hotKeys))
        m_backend->unregisterHotKey(hotKey.id);
    m_hotKeys.clear();
}

void Registry::fire(quint32 id, Phase phase)
{
    if (m_isPaused)
        return;
    const auto hotKey
        = std::find_if(m_hotKeys.cbegin(), m_hotKeys.cend(), [id](const HotKey &entry) { return entry.id == id; });
    if (hotKey == m_hotKeys.cend())
        return;
    const Shortcut fired = hotKey->shortcut;
    const auto &handlers = phase == Phase::down ? m_keyDownHandlers : m_keyUpHandlers;
    // Copies: an action may change the shortcuts or add handlers.
    QList<Action> actions;
    for (const auto &[rawValue, list] : handlers) {
        const auto name = m_names.constFind(rawValue);
        if (name != m_names.cend() && getShortcut(*name) == fired)
            actions.append(list);
    }
    for (const Action &action : std::as_const(actions))
        action();
}

HotKeyBackend *Registry::backend() const
{
    return m_backend.data();
}

} // namespace kavri::KeyboardShortcuts
