// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

#include <QElapsedTimer>
#include <QWebEnginePage>

#include "news/NewsWebView.h"

namespace kavri {

// The news page's navigation policy: its own host loads here; a link the user follows to another
// host opens outside; everything else (redirects, scripts, forms) is followed. The engine reports
// a script's click() on a link as a link click too, so only a click that follows the user's own
// input within userActionWindow counts as the user's; a page cannot open the browser by itself.
class NewsPage : public QWebEnginePage
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds userActionWindow { 2000 };

    NewsPage(QWebEngineProfile *profile, QString newsHost, NewsWebViewFactory::LinkHandler openExternally,
        QObject *parent = nullptr);

    // A mouse button or key reached the view.
    void noteUserInput() { m_lastInput.start(); }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    // Links that ask for a new window (target="_blank", window.open) get none: they go through
    // the same policy and load here or open outside.
    QWebEnginePage *createWindow(WebWindowType type) override;

private:
    bool isNewsHost(const QUrl &url) const;
    bool userActedJustNow() const;

    QString m_newsHost;
    NewsWebViewFactory::LinkHandler m_openExternally;
    QElapsedTimer m_lastInput;
};

} // namespace kavri
