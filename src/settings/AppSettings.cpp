// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppSettings.h"

#include <QCoreApplication>

#include "platform/Log.h"
#include "platform/UserDefaults.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

constexpr char customWordsKey[] = "customWords";

QString key(const char *name)
{
    return QString::fromLatin1(name);
}

// User content shows in the log only when asked for.
QString privateValue(const QString &value)
{
    return qEnvironmentVariableIntValue("KAVRI_LOG_PRIVATE") == 1 ? value : u"<private>"_s;
}

bool storedBool(const UserDefaults &store, const char *name, bool fallback)
{
    const auto value = store.object(key(name));
    const bool *stored = std::get_if<bool>(&value);
    return stored ? *stored : fallback;
}

QString storedString(const UserDefaults &store, const char *name, const QString &fallback)
{
    const auto value = store.object(key(name));
    const QString *stored = std::get_if<QString>(&value);
    return stored ? *stored : fallback;
}

double storedDouble(const UserDefaults &store, const char *name, double fallback)
{
    const auto value = store.object(key(name));
    if (const double *stored = std::get_if<double>(&value))
        return *stored;
    if (const qint64 *whole = std::get_if<qint64>(&value))
        return double(*whole);
    return fallback;
}

UserDefaults::Value storable(const QString &value)
{
    return value;
}
UserDefaults::Value storable(bool value)
{
    return value;
}
UserDefaults::Value storable(double value)
{
    return value;
}
UserDefaults::Value storable(MenuBarIconStyle value)
{
    return MenuBarIconStyles::rawValue(value).toString();
}

} // namespace

AppSettings::AppSettings(
    UserDefaults &store, UsageOptOut *optOut, std::chrono::milliseconds customWordsDelay, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_optOut(optOut)
{
    // Values of the wrong type fall back to the defaults; the store is not repaired.
    m_autoDetectLanguage = storedBool(store, "autoDetectLanguage", true);
    m_selectedLanguage = storedString(store, "selectedLanguage", u"en-US"_s);
    m_showResultPopup = storedBool(store, "showResultPopup", true);
    m_popupDuration = storedDouble(store, "popupDuration", 5.0);
    m_analyticsOptOut = storedBool(store, "analyticsOptOut", false);
    m_menuBarIconStyle = MenuBarIconStyles::fromRawValue(storedString(store, "menuBarIconStyle", {}))
                             .value_or(MenuBarIconStyle::custom);
    m_customWords = storedString(store, customWordsKey, {});
    m_soundEffectsEnabled = storedBool(store, "soundEffectsEnabled", true);
    m_showNews = storedBool(store, "showNews", true);
    if (m_optOut)
        m_optOut->setOptOut(m_analyticsOptOut);

    m_customWordsTimer.setSingleShot(true);
    m_customWordsTimer.setInterval(customWordsDelay);
    connect(&m_customWordsTimer, &QTimer::timeout, this, &AppSettings::saveCustomWords);
    // Also reached when the session ends Kavri with a signal (see TerminationSignals).
    if (QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &AppSettings::flushPendingCustomWords);
}

QStringList AppSettings::customWordsList() const
{
    QStringList words;
    for (const QString &piece : m_customWords.split(u',', Qt::SkipEmptyParts)) {
        const QString word = piece.trimmed();
        if (!word.isEmpty())
            words.append(word);
    }
    return words;
}

template <typename T> void AppSettings::update(Key changedKey, T &member, const T &value, const char *storeKey)
{
    Q_EMIT aboutToChange(changedKey);
    member = value;
    m_store.set(key(storeKey), storable(value));
    Q_EMIT changed(changedKey);
}

void AppSettings::setAutoDetectLanguage(bool value)
{
    update(Key::autoDetectLanguage, m_autoDetectLanguage, value, "autoDetectLanguage");
}

void AppSettings::setSelectedLanguage(const QString &value)
{
    update(Key::selectedLanguage, m_selectedLanguage, value, "selectedLanguage");
}

void AppSettings::setShowResultPopup(bool value)
{
    update(Key::showResultPopup, m_showResultPopup, value, "showResultPopup");
}

void AppSettings::setPopupDuration(double value)
{
    update(Key::popupDuration, m_popupDuration, value, "popupDuration");
}

void AppSettings::setIncludeBetaVersions(bool value)
{
    // Not stored: it is true again at every start.
    Q_EMIT aboutToChange(Key::includeBetaVersions);
    m_includeBetaVersions = value;
    Q_EMIT changed(Key::includeBetaVersions);
}

void AppSettings::setAnalyticsOptOut(bool value)
{
    update(Key::analyticsOptOut, m_analyticsOptOut, value, "analyticsOptOut");
    if (m_optOut)
        m_optOut->setOptOut(value);
}

void AppSettings::setMenuBarIconStyle(MenuBarIconStyle value)
{
    update(Key::menuBarIconStyle, m_menuBarIconStyle, value, "menuBarIconStyle");
}

void AppSettings::setSoundEffectsEnabled(bool value)
{
    update(Key::soundEffectsEnabled, m_soundEffectsEnabled, value, "soundEffectsEnabled");
}

void AppSettings::setShowNews(bool value)
{
    update(Key::showNews, m_showNews, value, "showNews");
}

void AppSettings::setCustomWords(const QString &value)
{
    Q_EMIT aboutToChange(Key::customWords);
    m_customWords = value;
    Q_EMIT changed(Key::customWords);

    // Every value is pending at once; one equal to the previous is not passed on again; the last
    // one passed is written after a pause in typing.
    m_pendingCustomWords = value;
    if (m_lastSentCustomWords == value)
        return;
    m_lastSentCustomWords = value;
    m_customWordsTimer.start();
}

void AppSettings::saveCustomWords()
{
    if (!m_lastSentCustomWords)
        return;
    m_store.set(key(customWordsKey), *m_lastSentCustomWords);
    m_pendingCustomWords.reset();
}

void AppSettings::flushPendingCustomWords()
{
    m_customWordsTimer.stop();
    if (!m_pendingCustomWords)
        return;
    const QString pending = *std::exchange(m_pendingCustomWords, std::nullopt);
    const auto stored = m_store.object(key(customWordsKey));
    if (const QString *text = std::get_if<QString>(&stored); text && *text == pending)
        return;
    qCDebug(lcKavri, "Flushing pending custom words on app termination: %ls", qUtf16Printable(privateValue(pending)));
    m_store.set(key(customWordsKey), pending);
}

} // namespace kavri
