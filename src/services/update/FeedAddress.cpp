// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FeedAddress.h"

using namespace Qt::StringLiterals;

namespace kavri {

QString betaFeedAddress(const QString &configuredFeed)
{
    static const QString fileName = u"appcast.xml"_s;
    const qsizetype at = configuredFeed.indexOf(fileName, 0, Qt::CaseSensitive);
    if (at < 0)
        return configuredFeed;
    QString beta = configuredFeed;
    beta.replace(at, fileName.size(), u"beta/appcast.xml"_s);
    return beta;
}

} // namespace kavri
