// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NewsView.h"

#include <QChildEvent>
#include <QGridLayout>
#include <QProgressBar>
#include <QTimer>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "NewsPage.h"
#include "NewsViewLog.h"

Q_LOGGING_CATEGORY(lcNewsView, "kavri")

namespace kavri {

NewsView::NewsView(const QUrl &url, NewsWebViewFactory::LinkHandler openExternally, QWidget *parent)
    : QWidget(parent)
    , m_profile(new QWebEngineProfile(this))
    , m_view(new QWebEngineView(this))
    , m_indicator(new QProgressBar(this))
{
    m_profile->setHttpCacheType(QWebEngineProfile::NoCache);
    m_page = new NewsPage(m_profile, url.host(), std::move(openExternally), m_view);
    m_view->setPage(m_page);
    // Input reaches the widgets the view makes inside itself; watch each as it comes.
    m_view->installEventFilter(this);
    for (QWidget *child : m_view->findChildren<QWidget *>())
        child->installEventFilter(this);

    // Busy: no range, no text.
    m_indicator->setRange(0, 0);
    m_indicator->setTextVisible(false);
    m_indicator->setFixedWidth(160);
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view, 0, 0);
    layout->addWidget(m_indicator, 0, 0, Qt::AlignCenter);

    connect(m_page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
            return;
        if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus)
            qCWarning(lcNewsView, "The news page %ls did not load: %ls (%d)",
                qUtf16Printable(info.url().toDisplayString()), qUtf16Printable(info.errorString()), info.errorCode());
        m_indicator->hide();
    });
    QTimer::singleShot(loadTimeoutMs, m_view, [this] {
        if (m_indicator->isVisible())
            m_view->stop();
    });
    m_view->load(url);
}

bool NewsView::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (auto *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType())
            child->installEventFilter(this);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
    case QEvent::TouchBegin:
        m_page->noteUserInput();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

NewsView::~NewsView()
{
    // The page must go before its profile.
    delete m_view;
}

} // namespace kavri
