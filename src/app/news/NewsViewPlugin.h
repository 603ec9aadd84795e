// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include <QStringList>

class QPluginLoader;

namespace kavri {

class NewsWebViewFactory;

// Finds and loads the web-view plugin on first use. It is never unloaded: the web engine cannot
// be shut down and started again within one process. Main thread only.
class NewsViewPlugin
{
public:
    // Folders searched in order for kavri_newsview.so.
    explicit NewsViewPlugin(QStringList directories = defaultDirectories());
    ~NewsViewPlugin();

    // Next to the executable (the build tree), then the installed plugin folder relative to the
    // executable, then the one the build was configured to install to.
    static QStringList defaultDirectories();

    // The plugin's factory; null when it is missing or does not load (logged, tried only once).
    NewsWebViewFactory *factory();

private:
    QStringList m_directories;
    std::unique_ptr<QPluginLoader> m_loader;
    NewsWebViewFactory *m_factory = nullptr;
    bool m_tried = false;
};

} // namespace kavri
