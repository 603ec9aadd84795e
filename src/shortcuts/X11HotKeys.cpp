// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11HotKeys.h"

#include <cstdlib>
#include <memory>

#include <QGuiApplication>
#include <QKeyEvent>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
// The XKB header names a struct member "explicit".
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wkeyword-macro"
#endif
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#if defined(__clang__)
#pragma clang diagnostic pop
#endif

#include "KeyTable.h"
#include "platform/Log.h"
#include "platform/X11Desktop.h"

using namespace Qt::StringLiterals;

namespace kavri::KeyboardShortcuts {

namespace {

constexpr quint16 badValue = XCB_VALUE;
constexpr xcb_keysym_t numLockKeysym = 0xff7f;

// Stored Command is Ctrl, Control is Super, Option is Alt.
std::optional<quint16> x11Modifiers(int carbonModifiers)
{
    if (carbonModifiers & CarbonModifier::function)
        return std::nullopt;
    quint16 mask = 0;
    if (carbonModifiers & CarbonModifier::command)
        mask |= XCB_MOD_MASK_CONTROL;
    if (carbonModifiers & CarbonModifier::control)
        mask |= XCB_MOD_MASK_4;
    if (carbonModifiers & CarbonModifier::option)
        mask |= XCB_MOD_MASK_1;
    if (carbonModifiers & CarbonModifier::shift)
        mask |= XCB_MOD_MASK_SHIFT;
    return mask;
}

constexpr quint16 relevantModifiers = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_4 | XCB_MOD_MASK_1 | XCB_MOD_MASK_SHIFT;

QList<quint8> keyCodesFor(xcb_key_symbols_t *symbols, xcb_keysym_t keysym)
{
    QList<quint8> codes;
    std::unique_ptr<xcb_keycode_t, decltype(&std::free)> found(xcb_key_symbols_get_keycode(symbols, keysym), std::free);
    for (const xcb_keycode_t *code = found.get(); code && *code != XCB_NO_SYMBOL; ++code)
        if (!codes.contains(*code))
            codes.append(*code);
    return codes;
}

} // namespace

bool X11HotKeys::isAvailable()
{
    return X11Desktop::connection() != nullptr;
}

X11HotKeys::X11HotKeys(QObject *parent)
    : HotKeyBackend(parent)
    , m_connection(X11Desktop::connection())
{
    Q_ASSERT(m_connection);
    m_root = X11Desktop::rootWindow(m_connection);
    m_symbols = xcb_key_symbols_alloc(m_connection);
    updateNumLockMask();

    // Held keys then repeat as presses only, with one release at the end.
    auto version = xcb_xkb_use_extension(m_connection, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION);
    std::free(xcb_xkb_use_extension_reply(m_connection, version, nullptr));
    const quint32 detectable = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    auto flags = xcb_xkb_per_client_flags(m_connection, XCB_XKB_ID_USE_CORE_KBD, detectable, detectable, 0, 0, 0);
    auto *reply = xcb_xkb_per_client_flags_reply(m_connection, flags, nullptr);
    if (!reply || !(reply->value & detectable))
        qCWarning(lcKavri, "The X server cannot report held keys; a held shortcut may fire more than once");
    std::free(reply);

    qApp->installNativeEventFilter(this);
    qApp->installEventFilter(this);
}

X11HotKeys::~X11HotKeys()
{
    if (qApp) {
        qApp->removeNativeEventFilter(this);
        qApp->removeEventFilter(this);
    }
    for (const Grab &grab : std::as_const(m_grabs))
        ungrab(grab);
    xcb_flush(m_connection);
    xcb_key_symbols_free(m_symbols);
}

void X11HotKeys::updateNumLockMask()
{
    m_numLockMask = 0;
    const QList<quint8> numLockCodes = keyCodesFor(m_symbols, numLockKeysym);
    auto cookie = xcb_get_modifier_mapping(m_connection);
    std::unique_ptr<xcb_get_modifier_mapping_reply_t, decltype(&std::free)> reply(
        xcb_get_modifier_mapping_reply(m_connection, cookie, nullptr), std::free);
    if (!reply)
        return;
    const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(reply.get());
    const int perModifier = reply->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier)
        for (int i = 0; i < perModifier; ++i)
            if (codes[modifier * perModifier + i] && numLockCodes.contains(codes[modifier * perModifier + i]))
                m_numLockMask |= quint16(1u << modifier);
}

QList<quint16> X11HotKeys::lockVariants() const
{
    QList<quint16> variants { 0, XCB_MOD_MASK_LOCK };
    if (m_numLockMask)
        variants += { m_numLockMask, quint16(m_numLockMask | XCB_MOD_MASK_LOCK) };
    return variants;
}

int X11HotKeys::registerHotKey(const Shortcut &shortcut, quint32 id)
{
    const auto modifiers = x11Modifiers(shortcut.carbonModifiers);
    if (!modifiers || !KeyTable::byCarbonKeyCode(shortcut.carbonKeyCode))
        return badValue;
    Grab entry { id, shortcut, *modifiers, {} };
    if (const int status = grab(entry); status != 0)
        return status;
    m_grabs.append(entry);
    return 0;
}

int X11HotKeys::grab(Grab &entry)
{
    entry.keyCodes = keyCodesFor(m_symbols, KeyTable::byCarbonKeyCode(entry.shortcut.carbonKeyCode)->keysym);
    if (entry.keyCodes.isEmpty())
        return badValue;
    // Checked requests: a combination another client holds fails at once with BadAccess.
    QList<xcb_void_cookie_t> cookies;
    for (const quint8 keyCode : std::as_const(entry.keyCodes))
        for (const quint16 locks : lockVariants())
            cookies.append(xcb_grab_key_checked(m_connection, true, m_root, entry.modifiers | locks, keyCode,
                XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    int status = 0;
    for (const xcb_void_cookie_t cookie : std::as_const(cookies)) {
        if (xcb_generic_error_t *error = xcb_request_check(m_connection, cookie)) {
            status = status ? status : error->error_code;
            std::free(error);
        }
    }
    if (status != 0)
        ungrab(entry);
    return status;
}

void X11HotKeys::ungrab(const Grab &entry)
{
    // Ungrabbing a variant that was never granted is harmless; the other client keeps its grab.
    for (const quint8 keyCode : entry.keyCodes)
        for (const quint16 locks : lockVariants())
            xcb_ungrab_key(m_connection, keyCode, m_root, entry.modifiers | locks);
    xcb_flush(m_connection);
}

void X11HotKeys::unregisterHotKey(quint32 id)
{
    for (auto it = m_grabs.begin(); it != m_grabs.end(); ++it) {
        if (it->id != id)
            continue;
        ungrab(*it);
        if (m_downId == id)
            m_downId.reset();
        m_grabs.erase(it);
        return;
    }
}

void X11HotKeys::keyboardMappingChanged()
{
    m_mappingChangePending = false;
    for (const Grab &entry : std::as_const(m_grabs))
        ungrab(entry);
    updateNumLockMask();
    // The same combinations on the new layout's keys; one that is now taken stops firing.
    for (auto it = m_grabs.begin(); it != m_grabs.end();) {
        if (grab(*it) == 0) {
            ++it;
            continue;
        }
        qCWarning(lcKavri, "Shortcut %ls is no longer available after a keyboard change",
            qUtf16Printable(it->shortcut.description()));
        it = m_grabs.erase(it);
    }
    m_downId.reset();
}

std::optional<quint32> X11HotKeys::grabFor(quint8 keyCode, quint16 state) const
{
    for (const Grab &entry : m_grabs)
        if ((state & relevantModifiers) == entry.modifiers && entry.keyCodes.contains(keyCode))
            return entry.id;
    return std::nullopt;
}

bool X11HotKeys::handleKey(bool press, quint8 keyCode, quint16 state)
{
    if (press) {
        const auto id = grabFor(keyCode, state);
        if (!id)
            return false;
        if (m_downId == id)
            return true; // auto-repeat
        m_downId = id;
        m_downKeyCode = keyCode;
        Q_EMIT hotKeyPressed(*id);
        return true;
    }
    // The modifiers may be let go first, so a release matches on the key alone.
    if (!m_downId || keyCode != m_downKeyCode)
        return false;
    const quint32 id = *std::exchange(m_downId, std::nullopt);
    Q_EMIT hotKeyReleased(id);
    return true;
}

bool X11HotKeys::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    auto *event = static_cast<xcb_generic_event_t *>(message);
    switch (event->response_type & 0x7f) {
    case XCB_KEY_PRESS:
    case XCB_KEY_RELEASE: {
        auto *key = reinterpret_cast<xcb_key_press_event_t *>(event);
        return handleKey((event->response_type & 0x7f) == XCB_KEY_PRESS, key->detail, key->state);
    }
    case XCB_MAPPING_NOTIFY: {
        auto *mapping = reinterpret_cast<xcb_mapping_notify_event_t *>(event);
        xcb_refresh_keyboard_mapping(m_symbols, mapping);
        if (mapping->request != XCB_MAPPING_POINTER && !m_mappingChangePending) {
            m_mappingChangePending = true;
            QMetaObject::invokeMethod(this, &X11HotKeys::keyboardMappingChanged, Qt::QueuedConnection);
        }
        return false;
    }
    default:
        return false;
    }
}

bool X11HotKeys::eventFilter(QObject *watched, QEvent *event)
{
    const bool press = event->type() == QEvent::KeyPress;
    if (!press && event->type() != QEvent::KeyRelease)
        return false;
    // An open menu grabs the keyboard, and the root window's grabs no longer fire.
    if (!watched->inherits("QMenu"))
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->isAutoRepeat())
        return grabFor(quint8(key->nativeScanCode()), quint16(key->nativeModifiers())).has_value();
    return handleKey(press, quint8(key->nativeScanCode()), quint16(key->nativeModifiers()));
}

} // namespace kavri::KeyboardShortcuts
