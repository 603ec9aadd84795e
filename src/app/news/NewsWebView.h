// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QUrl>
#include <QtPlugin>

class QWidget;

namespace kavri {

// Builds the news page's web view. It lives in a plugin (kavri_newsview) so that the web engine
// is loaded only when the news window is first shown: start-up and idle memory do not pay for it.
class NewsWebViewFactory
{
public:
    using LinkHandler = std::function<void(const QUrl &url)>;

    virtual ~NewsWebViewFactory() = default;

    // A view that loads url, bypassing any cache, with a loading indicator over it until the page
    // has loaded or failed. Pages on url's host load in the view; a link the user follows to
    // another host is cancelled and handed to openExternally; other navigations (redirects,
    // scripts) are followed. Null when the web engine cannot run here.
    virtual QWidget *createView(const QUrl &url, LinkHandler openExternally, QWidget *parent) = 0;
};

} // namespace kavri

#define KavriNewsWebViewFactory_iid "io.github.kavri.NewsWebViewFactory/1"
Q_DECLARE_INTERFACE(kavri::NewsWebViewFactory, KavriNewsWebViewFactory_iid)
