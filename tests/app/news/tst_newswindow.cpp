// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The news window with the real web-view plugin and real HTTP on 127.0.0.1; clicks come from
// xdotool. "localhost" stands for another host: the same server under another name.
#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFile>
#include <QNetworkAccessManager>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <dlfcn.h>

#include "news/NewsWindow.h"
#include "news/NewsWindowController.h"
#include "platform/UserDefaults.h"
#include "settings/AppSettings.h"
#include "support/LocalHttpServer.h"
#include "support/X11Tools.h"

using namespace Qt::StringLiterals;
using namespace kavri;

namespace {

// Stands in for the default browser: what Kavri hands to the desktop.
class Browser : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url); }
};

QByteArray loadedLibraries()
{
    QFile maps(u"/proc/self/maps"_s);
    return maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
}

bool webEngineLoaded()
{
    return loadedLibraries().contains("libQt6WebEngineCore");
}

// Mesa unloads its driver before the leak check runs, which then cannot name the driver's leaks.
void keepOpenGlDriversLoaded()
{
    for (const QByteArray &line : loadedLibraries().split('\n')) {
        const qsizetype path = line.indexOf('/');
        if (path >= 0 && line.endsWith("_dri.so"))
            dlopen(line.mid(path).constData(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
}

} // namespace

// Chromium inside Qt WebEngine deletes some of its own objects through a type of another size,
// and leaves its singletons (and libudev's and Mesa's) to the end of the process; none of it is
// Kavri's code.
extern "C" const char *__asan_default_options()
{
    return "new_delete_type_mismatch=0";
}
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libQt6WebEngineCore.so\nleak:libudev.so\nleak:_dri.so\n";
}

class TestNewsWindow : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    LocalHttpServer m_server;
    Browser m_browser;
    QNetworkAccessManager m_network;
    std::unique_ptr<UserDefaults> m_store;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<NewsWindowController> m_news;

    QString otherHost(const QString &path) const { return u"http://localhost:%1%2"_s.arg(m_server.port()).arg(path); }
    bool requested(const QByteArray &path) const
    {
        return std::any_of(m_server.requests().cbegin(), m_server.requests().cend(),
            [&path](const LocalHttpServer::Request &request) { return request.path == path; });
    }
    QUrl shownUrl() const
    {
        for (QObject *child : m_news->window()->findChildren<QObject *>())
            if (child->inherits("QWebEngineView"))
                return child->property("url").toUrl();
        return {};
    }
    // Shows path and waits until the page has loaded.
    bool showLoaded(const QString &path)
    {
        m_news->show(m_server.url(path));
        if (!m_news->window() || !QTest::qWaitForWindowExposed(m_news->window()))
            return false;
        const auto *indicator = m_news->window()->findChild<QProgressBar *>();
        return QTest::qWaitFor([indicator] { return !indicator->isVisible(); }, 10000);
    }
    bool click(QPoint windowPoint)
    {
        const QPoint at = m_news->window()->mapToGlobal(windowPoint);
        return test::runX11Tool(u"xdotool"_s,
            { u"mousemove"_s, u"--sync"_s, QString::number(at.x()), QString::number(at.y()), u"click"_s, u"1"_s });
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
        qputenv("KAVRI_SERVER_BASE", m_server.base().toUtf8());
        QDesktopServices::setUrlHandler(u"http"_s, &m_browser, "open");
        m_server.setHandler([this](const LocalHttpServer::Request &request) -> LocalHttpServer::Response {
            const QByteArray html = "text/html; charset=utf-8";
            if (request.path == "/404" || request.path == "/500")
                return { request.path.mid(1).toInt(), "gone", {} };
            if (request.path == "/silent")
                return { 200, {}, {}, true };
            if (request.path == "/moved")
                return { 302, {}, { { "Location", otherHost(u"/landing"_s).toUtf8() } } };
            if (request.path == "/links")
                return { 200,
                    "<body style='margin:0'><a style='display:block;height:300px' href='"
                        + otherHost(u"/elsewhere"_s).toUtf8()
                        + "'>other</a><a style='display:block;height:300px' href='/same'>same</a></body>",
                    { { "Content-Type", html } } };
            // A script clicking a link to another host: the engine calls that a link click too.
            if (request.path == "/landing")
                return { 200,
                    "<a id=away href='" + otherHost(u"/scripted"_s).toUtf8()
                        + "'>away</a><script>document.getElementById('away').click()</script>",
                    { { "Content-Type", html } } };
            return { 200, "<h1>News</h1>", { { "Content-Type", html } } };
        });
    }
    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler(u"http"_s);
        keepOpenGlDriversLoaded();
    }

    void init()
    {
        m_store = std::make_unique<UserDefaults>(m_dir.filePath(u"defaults.plist"_s));
        m_settings = std::make_unique<AppSettings>(*m_store);
        m_news = std::make_unique<NewsWindowController>(
            *m_settings, m_network, NewsOptions { { QStringLiteral(NEWSVIEW_DIR) }, std::chrono::milliseconds(300) });
        m_server.clearRequests();
        m_browser.opened.clear();
        QTest::failOnWarning(QRegularExpression(u".*"_s));
    }
    void cleanup()
    {
        m_news.reset();
        m_settings.reset();
        m_store.reset();
        QFile::remove(m_dir.filePath(u"defaults.plist"_s));
    }

    // Runs first: nothing before the first window may load the web engine.
    void probeShowsNothingWithoutAnAnswer_data()
    {
        QTest::addColumn<bool>("showNews");
        QTest::addColumn<QString>("newsUrl");
        QTest::addColumn<bool>("requests");
        QTest::addColumn<QString>("logged");
        QTest::newRow("no address") << true << QString() << false << QString();
        QTest::newRow("news turned off") << false << u"/news"_s << false << QString();
        QTest::newRow("404") << true << u"/404"_s << true << u"HTTP 404"_s;
        QTest::newRow("500") << true << u"/500"_s << true << u"HTTP 500"_s;
        QTest::newRow("no answer in time") << true << u"/silent"_s << true << u"/silent did not answer"_s;
    }
    void probeShowsNothingWithoutAnAnswer()
    {
        QFETCH(bool, showNews);
        QFETCH(QString, newsUrl);
        QFETCH(bool, requests);
        QFETCH(QString, logged);
        if (!logged.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(logged)));
        m_settings->setShowNews(showNews);
        m_news->showNewsIfAny(newsUrl.startsWith(u'/') ? m_server.url(newsUrl) : QUrl(newsUrl));
        if (requests)
            QTRY_COMPARE(m_server.requests().size(), 1);
        QTRY_VERIFY(m_news->findChildren<NewsProbe *>().isEmpty());
        QTest::qWait(50);
        QCOMPARE(m_server.requests().size(), requests ? 1 : 0);
        QVERIFY(!m_news->window());
        QVERIFY(m_browser.opened.isEmpty());
        QVERIFY(!webEngineLoaded());
    }

    // The window, its bottom bar and the setting it turns off for the next start.
    void probeOpensTheWindowOn200()
    {
        m_news->showNewsIfAny(m_server.url(u"/news"_s));
        QTRY_VERIFY(m_news->window());
        QWidget *window = m_news->window();
        QCOMPARE(m_server.requests().value(0).headers.value("cache-control"), "no-cache");
        QCOMPARE(window->windowTitle(), u"Kavri News"_s);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->size(), QSize(1152, 840));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(webEngineLoaded());

        auto *showNews = window->findChild<QCheckBox *>();
        QVERIFY(showNews->isChecked());
        showNews->click();
        // Written at once: the next start reads it and sends no probe.
        UserDefaults nextStore(m_store->filePath());
        AppSettings nextSettings(nextStore);
        QVERIFY(!nextSettings.showNews());

        const auto buttons = window->findChildren<QPushButton *>();
        const auto button = [&buttons](const QString &text) {
            return *std::find_if(buttons.begin(), buttons.end(), [&text](auto *b) { return b->text() == text; });
        };
        button(u"Learn More"_s)->click();
        QCOMPARE(m_browser.opened, QList<QUrl> { QUrl(m_server.base() + u"/kavri/"_s) });
        QVERIFY(button(u"Close"_s)->isDefault());
        button(u"Close"_s)->click();
        QTRY_VERIFY(!m_news->window());
    }

    void aSecondShowClosesTheFirst()
    {
        m_news->show(m_server.url(u"/one"_s));
        const QPointer<QWidget> first = m_news->window();
        m_news->show(m_server.url(u"/two"_s));
        QVERIFY(!first);
        QVERIFY(m_news->window()->isVisible());
        const auto windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.cbegin(), windows.cend(),
                     [](const QWidget *w) { return w->isVisible() && qobject_cast<const NewsWindow *>(w); }),
            1);
    }

    // A user's click to another host goes to the browser and the page stays; one on the news host
    // loads in the window.
    void linkClicks()
    {
        QVERIFY(showLoaded(u"/links"_s));
        QVERIFY(click({ 200, 100 }));
        QTRY_COMPARE(m_browser.opened, QList<QUrl> { QUrl(otherHost(u"/elsewhere"_s)) });
        QTest::qWait(100);
        QCOMPARE(shownUrl(), m_server.url(u"/links"_s));

        QVERIFY(click({ 200, 400 }));
        QTRY_COMPARE(shownUrl(), m_server.url(u"/same"_s));
        QCOMPARE(m_browser.opened.size(), 1);
        QVERIFY(!requested("/elsewhere"));
    }

    // Neither a redirect nor a script's click on a link is the user's: both are followed in the
    // window, and a page cannot open the browser by itself.
    void redirectsAndScriptsAreFollowed()
    {
        m_news->show(m_server.url(u"/moved"_s));
        QTRY_VERIFY(requested("/landing"));
        QTRY_COMPARE(shownUrl(), QUrl(otherHost(u"/scripted"_s)));
        QVERIFY(m_browser.opened.isEmpty());
    }

    // Runs last: the plugin stays loaded once it has been.
    void withoutTheWebViewThePageOpensInTheBrowser()
    {
        QTemporaryDir pluginDir;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"kavri_newsview.so is not installed"_s));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"opening .*/news in the browser"_s));
        NewsWindowController news(*m_settings, m_network, NewsOptions { { pluginDir.path() } });
        news.show(m_server.url(u"/news"_s));
        QVERIFY(!news.window());
        QCOMPARE(m_browser.opened, QList<QUrl> { m_server.url(u"/news"_s) });
    }
};

QTEST_MAIN(TestNewsWindow)
#include "tst_newswindow.moc"
