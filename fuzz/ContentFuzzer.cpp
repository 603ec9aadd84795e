// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Feeds arbitrary payloads to the content parser and the link detector. Besides the sanitizers,
// it checks what must hold for every input: the raw text comes back unchanged, a link list is
// never empty, and no link of another scheme than http, https, ftp or mailto ever comes out.
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "content/ContentParser.h"
#include "content/ParsedContentJson.h"

namespace {

QString textFrom(const uint8_t *data, size_t size)
{
    // The first byte picks the encoding: mostly UTF-8 as a scanner delivers it, sometimes raw
    // UTF-16, which can hold lone surrogates.
    if (size > 0 && data[0] == 0xFF)
        return QString(reinterpret_cast<const QChar *>(data + 1), qsizetype((size - 1) / 2));
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool isAllowedScheme(const QUrl &url)
{
    const QString scheme = url.scheme();
    return scheme == u"http" || scheme == u"https" || scheme == u"ftp" || scheme == u"mailto";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = textFrom(data, size);

    const kavri::ParsedContent content = kavri::ContentParser::parse(text);
    require(content.rawText() == text);
    (void)content.formattedText();
    (void)kavri::toJson(content);
    if (const auto *links = content.as<kavri::URLContent>())
        require(!links->urls().isEmpty());

    for (const QUrl &url : kavri::ContentParser::detectURLs(text))
        require(url.isValid() && isAllowedScheme(url));
    return 0;
}
