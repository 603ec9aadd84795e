// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NewsPage.h"

#include "NewsViewLog.h"

namespace kavri {

namespace {

// Stands in for a new window just long enough to learn where it was to go.
class NewWindowCatcher : public QWebEnginePage
{
public:
    NewWindowCatcher(QWebEngineProfile *profile, NewsPage *opener, std::function<void(const QUrl &)> destination)
        : QWebEnginePage(profile, opener)
        , m_destination(std::move(destination))
    { }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool) override
    {
        if (m_destination && !url.isEmpty()) {
            auto destination = std::exchange(m_destination, nullptr);
            destination(url);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void(const QUrl &)> m_destination;
};

} // namespace

NewsPage::NewsPage(
    QWebEngineProfile *profile, QString newsHost, NewsWebViewFactory::LinkHandler openExternally, QObject *parent)
    : QWebEnginePage(profile, parent)
    , m_newsHost(std::move(newsHost))
    , m_openExternally(std::move(openExternally))
{ }

bool NewsPage::isNewsHost(const QUrl &url) const
{
    return !m_newsHost.isEmpty() && m_newsHost.compare(url.host(), Qt::CaseInsensitive) == 0;
}

bool NewsPage::userActedJustNow() const
{
    return m_lastInput.isValid() && m_lastInput.elapsed() < userActionWindow.count();
}

bool NewsPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    Q_UNUSED(isMainFrame)
    if (url.isEmpty() || isNewsHost(url))
        return true;
    if (type == NavigationTypeLinkClicked && userActedJustNow()) {
        qCDebug(lcNewsView, "Opening the news link %ls in the browser", qUtf16Printable(url.toDisplayString()));
        if (m_openExternally)
            m_openExternally(url);
        return false;
    }
    return true;
}

QWebEnginePage *NewsPage::createWindow(WebWindowType type)
{
    Q_UNUSED(type)
    // No pop-ups the user did not ask for.
    if (!userActedJustNow())
        return nullptr;
    return new NewWindowCatcher(profile(), this, [this](const QUrl &url) {
        if (isNewsHost(url))
            setUrl(url);
        else if (m_openExternally)
            m_openExternally(url);
    });
}

} // namespace kavri
