// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QUrl>

#include "ParsedContent.h"

// Turns the decoded text of a code into one typed record. Pure functions: no state, no I/O,
// callable from any thread.
namespace kavri::ContentParser {

// Contact card, Wi-Fi network, text message, e-mail, phone number, links, or (when nothing else
// fits) plain text, tried in that order. Never fails; the text is taken exactly as given.
ParsedContent parse(const QString &text);

// The links in \a text, as absolute URLs in order of appearance (see LinkDetector).
QList<QUrl> detectURLs(const QString &text);

} // namespace kavri::ContentParser
