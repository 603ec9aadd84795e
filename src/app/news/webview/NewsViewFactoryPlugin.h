// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include "news/NewsWebView.h"

namespace kavri {

// The plugin's entry: makes news views over Qt WebEngine.
class NewsViewFactoryPlugin : public QObject, public NewsWebViewFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KavriNewsWebViewFactory_iid)
    Q_INTERFACES(kavri::NewsWebViewFactory)

public:
    QWidget *createView(const QUrl &url, LinkHandler openExternally, QWidget *parent) override;
};

} // namespace kavri
