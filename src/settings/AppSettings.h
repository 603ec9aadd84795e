// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>

#include <QObject>
#include <QTimer>

#include "MenuBarIconStyle.h"

namespace kavri {

class UserDefaults;

// Where the usage statistics keep the user's opt-out; the settings copy analyticsOptOut there.
class UsageOptOut
{
public:
    virtual ~UsageOptOut() = default;
    virtual void setOptOut(bool optOut) = 0;
};

// The user's settings, read once from the store and written back as soon as they change; the
// custom-words text, which changes with every keystroke, is written once typing has paused for
// customWordsDelay, and at the latest by flushPendingCustomWords() when Kavri quits.
// Main thread only.
class AppSettings : public QObject
{
    Q_OBJECT

public:
    enum class Key {
        autoDetectLanguage,
        selectedLanguage,
        showResultPopup,
        popupDuration,
        includeBetaVersions,
        analyticsOptOut,
        menuBarIconStyle,
        customWords,
        soundEffectsEnabled,
        showNews,
    };
    Q_ENUM(Key)

    static constexpr std::chrono::milliseconds defaultCustomWordsDelay { 500 };

    AppSettings(UserDefaults &store, UsageOptOut *optOut = nullptr,
        std::chrono::milliseconds customWordsDelay = defaultCustomWordsDelay, QObject *parent = nullptr);

    // The process's settings over the standard store (wired by the application).
    static AppSettings &shared();

    bool autoDetectLanguage() const { return m_autoDetectLanguage; }
    const QString &selectedLanguage() const { return m_selectedLanguage; }
    bool showResultPopup() const { return m_showResultPopup; }
    double popupDuration() const { return m_popupDuration; }
    bool includeBetaVersions() const { return m_includeBetaVersions; }
    bool analyticsOptOut() const { return m_analyticsOptOut; }
    MenuBarIconStyle menuBarIconStyle() const { return m_menuBarIconStyle; }
    const QString &customWords() const { return m_customWords; }
    bool soundEffectsEnabled() const { return m_soundEffectsEnabled; }
    bool showNews() const { return m_showNews; }
    // customWords split at commas, each word trimmed, empty words dropped, in order.
    QStringList customWordsList() const;

    void setAutoDetectLanguage(bool value);
    void setSelectedLanguage(const QString &value);
    void setShowResultPopup(bool value);
    void setPopupDuration(double value);
    void setIncludeBetaVersions(bool value);
    void setAnalyticsOptOut(bool value);
    void setMenuBarIconStyle(MenuBarIconStyle value);
    void setCustomWords(const QString &value);
    void setSoundEffectsEnabled(bool value);
    void setShowNews(bool value);

    // Writes a custom-words text still waiting for its pause; for the end of the process.
    void flushPendingCustomWords();

Q_SIGNALS:
    // Before the new value is in place.
    void aboutToChange(kavri::AppSettings::Key key);
    void changed(kavri::AppSettings::Key key);

private:
    template <typename T> void update(Key key, T &member, const T &value, const char *storeKey);
    void saveCustomWords();

    UserDefaults &m_store;
    UsageOptOut *m_optOut;
    QTimer m_customWordsTimer;
    std::optional<QString> m_pendingCustomWords;
    std::optional<QString> m_lastSentCustomWords;

    bool m_autoDetectLanguage = true;
    QString m_selectedLanguage = QStringLiteral("en-US");
    bool m_showResultPopup = true;
    double m_popupDuration = 5.0;
    bool m_includeBetaVersions = true;
    bool m_analyticsOptOut = false;
    MenuBarIconStyle m_menuBarIconStyle = MenuBarIconStyle::custom;
    QString m_customWords;
    bool m_soundEffectsEnabled = true;
    bool m_showNews = true;
};

} // namespace kavri
