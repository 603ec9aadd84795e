// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReleaseNotesView.h"

using namespace Qt::StringLiterals;

namespace kavri {

ReleaseNotesView::ReleaseNotesView(QWidget *parent)
    : QTextBrowser(parent)
{
    setReadOnly(true);
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
        const QString scheme = url.scheme().toLower();
        if (m_openLink && (scheme == u"http"_s || scheme == u"https"_s))
            m_openLink(url);
    });
}

void ReleaseNotesView::setNotes(const QString &notes)
{
    if (Qt::mightBeRichText(notes))
        setHtml(notes);
    else
        setPlainText(notes);
}

QVariant ReleaseNotesView::loadResource(int, const QUrl &)
{
    return {};
}

} // namespace kavri
