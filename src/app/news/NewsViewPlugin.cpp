// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NewsViewPlugin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

#include "NewsWebView.h"
#include "platform/Log.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

const QString pluginFileName = u"kavri_newsview.so"_s;

QtMessageHandler previousHandler = nullptr;

// Qt WebEngine warns when it is loaded after the application has started, which is the point of
// the plugin: it makes the shared OpenGL context the engine wants itself, instead of every start
// paying for one (Qt::AA_ShareOpenGLContexts). Keep that one line out of the log.
void dropLateLoadWarning(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(u"Qt WebEngine seems to be initialized from a plugin"))
        return;
    previousHandler(type, context, message);
}

} // namespace

NewsViewPlugin::NewsViewPlugin(QStringList directories)
    : m_directories(std::move(directories))
{ }

NewsViewPlugin::~NewsViewPlugin() = default;

QStringList NewsViewPlugin::defaultDirectories()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    return { appDir, QDir::cleanPath(appDir + u"/../"_s + QStringLiteral(KAVRI_NEWSVIEW_RELATIVE_DIR)),
        QStringLiteral(KAVRI_NEWSVIEW_INSTALL_DIR) };
}

NewsWebViewFactory *NewsViewPlugin::factory()
{
    if (m_tried)
        return m_factory;
    m_tried = true;

    QString path;
    for (const QString &directory : std::as_const(m_directories)) {
        const QFileInfo candidate(QDir(directory).filePath(pluginFileName));
        if (candidate.isFile()) {
            path = candidate.absoluteFilePath();
            break;
        }
    }
    if (path.isEmpty()) {
        qCWarning(lcKavri, "The news view %ls is not installed (looked in %ls)", qUtf16Printable(pluginFileName),
            qUtf16Printable(m_directories.join(u", "_s)));
        return nullptr;
    }

    m_loader = std::make_unique<QPluginLoader>(path);
    // Unloading the web engine at exit crashes its threads; the process ends soon enough.
    m_loader->setLoadHints(QLibrary::PreventUnloadHint);
    previousHandler = qInstallMessageHandler(dropLateLoadWarning);
    m_factory = qobject_cast<NewsWebViewFactory *>(m_loader->instance());
    qInstallMessageHandler(previousHandler);
    if (!m_factory)
        qCWarning(lcKavri, "The news view %ls does not load: %ls", qUtf16Printable(path),
            qUtf16Printable(m_loader->errorString()));
    else
        qCDebug(lcKavri, "Loaded the news view from %ls", qUtf16Printable(path));
    return m_factory;
}

} // namespace kavri
