// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NewsWindowController.h"

#include <QGuiApplication>
#include <QNetworkAccessManager>
#include <QScreen>
#include <QStyle>

#include "NewsWebView.h"
#include "NewsWindow.h"
#include "platform/Log.h"
#include "platform/Workspace.h"
#include "settings/AppSettings.h"

namespace kavri {

NewsWindowController::NewsWindowController(
    AppSettings &settings, QNetworkAccessManager &network, NewsOptions options, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_network(network)
    , m_options(options)
    , m_plugin(m_options.pluginDirectories)
{ }

NewsWindowController::~NewsWindowController()
{
    delete m_window;
}

void NewsWindowController::showNewsIfAny(const QUrl &newsUrl)
{
    if (!m_settings.showNews() || newsUrl.isEmpty())
        return;
    auto *probe = new NewsProbe(m_network, m_options.probeTimeout, this);
    connect(probe, &NewsProbe::answered, this, [this, probe](const QUrl &url) {
        probe->deleteLater();
        show(url);
    });
    connect(probe, &NewsProbe::failed, probe, &QObject::deleteLater);
    if (!probe->start(newsUrl))
        delete probe;
}

void NewsWindowController::show(const QUrl &url)
{
    if (m_window) {
        m_window->close();
        delete m_window;
    }

    NewsWebViewFactory *factory = m_plugin.factory();
    QWidget *view = factory ? factory->createView(
                        url, [](const QUrl &link) { Workspace::openUrl(link); }, nullptr)
                            : nullptr;
    if (!view) {
        qCWarning(lcKavri, "No news window without its web view; opening %ls in the browser",
            qUtf16Printable(url.toDisplayString()));
        Workspace::openUrl(url);
        return;
    }

    auto *window = new NewsWindow(view, m_settings);
    m_window = window;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window->setGeometry(QStyle::alignedRect(
            Qt::LeftToRight, Qt::AlignCenter, NewsWindow::contentSize, screen->availableGeometry()));
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace kavri
