// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include "content/ParsedContent.h"

// How recognition results become content, the same for a capture and for the command line.
namespace kavri::RecognizedContent {

// Recognised text is links or plain text, never a classified payload.
ParsedContent forText(const QString &text);

// All payloads of one image, joined by line feeds in detection order, classified as one text.
QString joinedPayloads(const QStringList &payloads);

} // namespace kavri::RecognizedContent
