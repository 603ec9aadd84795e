// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QTextBrowser>

namespace kavri {

// Release notes from the feed: HTML or plain text, read-only. It loads nothing itself (no images,
// style sheets or pages, local or remote) and hands web links to `openLink` instead of following
// them.
class ReleaseNotesView : public QTextBrowser
{
    Q_OBJECT

public:
    explicit ReleaseNotesView(QWidget *parent = nullptr);

    void setOpenLink(std::function<bool(const QUrl &)> openLink) { m_openLink = std::move(openLink); }
    // Shown as HTML when it looks like markup, else as plain text.
    void setNotes(const QString &notes);

    QVariant loadResource(int type, const QUrl &name) override;

private:
    std::function<bool(const QUrl &)> m_openLink;
};

} // namespace kavri
