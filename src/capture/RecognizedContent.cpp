// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecognizedContent.h"

#include "content/ContentParser.h"

namespace kavri::RecognizedContent {

ParsedContent forText(const QString &text)
{
    QList<QUrl> urls = ContentParser::detectURLs(text);
    if (urls.isEmpty())
        return PlainTextContent(text);
    return URLContent(text, std::move(urls));
}

QString joinedPayloads(const QStringList &payloads)
{
    return payloads.join(u'\n');
}

} // namespace kavri::RecognizedContent
