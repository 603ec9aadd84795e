// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NewsViewFactoryPlugin.h"

#include <QCoreApplication>
#include <QOpenGLContext>

#include <unistd.h>

#include "NewsView.h"
#include "NewsViewLog.h"

// Qt keeps the context Qt WebEngine shares its textures through behind these two functions,
// exported for Qt WebEngine but declared in no public header.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT QOpenGLContext *qt_gl_global_share_context();
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);
QT_END_NAMESPACE

namespace kavri {

namespace {

// Qt makes the shared context while the application starts when Qt::AA_ShareOpenGLContexts is
// set then, which costs every start an OpenGL driver (tens of megabytes); the news view makes it
// here instead, before its first page starts the engine, which would crash without it.
bool ensureSharedContext()
{
    if (qt_gl_global_share_context())
        return true;
    auto *context = new QOpenGLContext(QCoreApplication::instance());
    context->setFormat(QSurfaceFormat::defaultFormat());
    if (!context->create()) {
        qCWarning(lcNewsView, "No OpenGL context for the news view");
        delete context;
        return false;
    }
    qt_gl_set_global_share_context(context);
    return true;
}

} // namespace

QWidget *NewsViewFactoryPlugin::createView(const QUrl &url, LinkHandler openExternally, QWidget *parent)
{
    // Chromium's sandbox refuses to run as root and the page would stay blank; the variable is
    // read when the first page starts the engine, which is just below.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
        qCInfo(lcNewsView, "Running as root: the news page runs without Chromium's sandbox");
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    if (!ensureSharedContext())
        return nullptr;
    return new NewsView(url, std::move(openExternally), parent);
}

} // namespace kavri
