// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "news/NewsWebView.h"

class QProgressBar;
class QWebEngineProfile;
class QWebEngineView;

namespace kavri {

class NewsPage;

// The news page in a web view, under a busy indicator until the first load ends either way.
// Its profile keeps nothing on disk and caches nothing.
class NewsView : public QWidget
{
    Q_OBJECT

public:
    // A page still loading after this long is stopped, so the indicator does not spin forever.
    static constexpr int loadTimeoutMs = 60000;

    NewsView(const QUrl &url, NewsWebViewFactory::LinkHandler openExternally, QWidget *parent = nullptr);
    ~NewsView() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    NewsPage *m_page = nullptr;
    QWebEngineProfile *m_profile;
    QWebEngineView *m_view;
    QProgressBar *m_indicator;
};

} // namespace kavri
