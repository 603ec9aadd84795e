// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

#include "AppcastItem.h"

namespace kavri {

// An update feed read into its items, or why it could not be read.
struct Appcast
{
    QList<AppcastItem> items;
    QString error; // empty when the feed was read

    bool isValid() const { return error.isEmpty(); }
    // The newest item, or null when there is none.
    const AppcastItem *newestItem() const;
};

namespace AppcastReader {

// Feeds larger than this are refused unread.
inline constexpr qint64 maximumFeedBytes = 2 * 1024 * 1024;

// Reads an RSS 2.0 feed with the update namespace. Items without a version are left out (and
// logged); relative links are resolved against feedUrl. A feed that is not well-formed XML, not
// RSS or too large gives an error naming the problem.
Appcast parse(const QByteArray &xml, const QUrl &feedUrl = {});

} // namespace AppcastReader

} // namespace kavri
