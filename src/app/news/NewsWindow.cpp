// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NewsWindow.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/AppInfo.h"
#include "platform/Workspace.h"
#include "settings/AppSettings.h"

using namespace Qt::StringLiterals;

namespace kavri {

NewsWindow::NewsWindow(QWidget *webView, AppSettings &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_showNews(new QCheckBox(u"Show news at startup"_s, this))
{
    setWindowTitle(u"Kavri News"_s);
    // Titled, closable, minimisable; no maximise, and the fixed size keeps the window manager
    // from offering a resize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(contentSize);
    setAttribute(Qt::WA_DeleteOnClose);
    // Escape and the default button end the dialog without a close event; drop it all the same.
    connect(this, &QDialog::finished, this, &QObject::deleteLater);

    auto *learnMore = new QPushButton(u"Learn More"_s, this);
    learnMore->setAutoDefault(false);
    connect(learnMore, &QPushButton::clicked, this, [] { Workspace::openUrl(AppInfo::websiteURL()); });
    auto *closeButton = new QPushButton(u"Close"_s, this);
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);

    showSetting();
    connect(m_showNews, &QCheckBox::toggled, this, [this](bool on) { m_settings.setShowNews(on); });
    connect(&m_settings, &AppSettings::changed, this, [this](AppSettings::Key key) {
        if (key == AppSettings::Key::showNews)
            showSetting();
    });

    auto *divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(12, 8, 12, 10);
    bar->addWidget(m_showNews);
    bar->addStretch();
    bar->addWidget(learnMore);
    bar->addWidget(closeButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    webView->setParent(this);
    layout->addWidget(webView, 1);
    layout->addWidget(divider);
    layout->addLayout(bar);
}

void NewsWindow::showSetting()
{
    const QSignalBlocker blocker(m_showNews);
    m_showNews->setChecked(m_settings.showNews());
}

} // namespace kavri
