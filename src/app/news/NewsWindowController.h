// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>

#include "NewsProbe.h"
#include "NewsViewPlugin.h"

class QNetworkAccessManager;
class QWidget;

namespace kavri {

class AppSettings;

struct NewsOptions
{
    // Where the web-view plugin is looked for.
    QStringList pluginDirectories = NewsViewPlugin::defaultDirectories();
    // How long the start-up probe waits for the news server to send anything.
    std::chrono::milliseconds probeTimeout = NewsProbe::defaultTimeout;
};

// The news window: one at a time, for the life of the process. The web engine is loaded with the
// first window; without it the news page opens in the default browser. Main thread only.
class NewsWindowController : public QObject
{
    Q_OBJECT

public:
    NewsWindowController(
        AppSettings &settings, QNetworkAccessManager &network, NewsOptions options = {}, QObject *parent = nullptr);
    ~NewsWindowController() override;

    // Over AppSettings::shared() and a network client of its own (wired by the application).
    static NewsWindowController &shared();

    // At start: when the user wants news and newsUrl is a web address, ask it and show it when it
    // answers HTTP 200. Anything else shows nothing (failures are logged).
    void showNewsIfAny(const QUrl &newsUrl);

    // Closes the window already shown, then shows url in a new one, in front.
    void show(const QUrl &url);

    // The window now shown, if any.
    QWidget *window() const { return m_window; }

private:
    AppSettings &m_settings;
    QNetworkAccessManager &m_network;
    NewsOptions m_options;
    NewsViewPlugin m_plugin;
    QPointer<QWidget> m_window;
};

} // namespace kavri
