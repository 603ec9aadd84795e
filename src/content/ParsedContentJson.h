// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>

#include "ParsedContent.h"

namespace kavri {

// The content as one JSON object: its type name, the shared members (text, fields, action,
// clipboard) and the kind's own stored fields, null where absent.
QJsonObject toJson(const ParsedContent &content);

// The same object as indented UTF-8 text, its members in reading order (type, texts, fields,
// action, clipboard, then the kind's own) rather than sorted by name.
QByteArray toJsonText(const ParsedContent &content);

} // namespace kavri
