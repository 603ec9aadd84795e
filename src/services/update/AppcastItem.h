// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaType>
#include <QString>
#include <QUrl>

namespace kavri {

// One release announced by the update feed.
struct AppcastItem
{
    QString title;
    // Compared with the running build's number; never empty in an item the reader returns.
    QString version;
    // The version people see ("1.2 beta 3"); may be empty.
    QString shortVersionString;
    QUrl releaseNotesLink;
    // The item's description (often HTML), shown when there is no release-notes link.
    QString itemDescription;
    QUrl enclosureUrl;
    // The release page (<link>).
    QUrl infoUrl;

    QString displayVersionString() const { return shortVersionString.isEmpty() ? version : shortVersionString; }
    friend bool operator==(const AppcastItem &, const AppcastItem &) = default;
};

} // namespace kavri

Q_DECLARE_METATYPE(kavri::AppcastItem)
