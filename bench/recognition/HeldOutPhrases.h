// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// Text written for the held-out corpus alone: whole sentences and labels as applications show
// them, never the tune corpus's word lists.
namespace kavri::heldout {

const QStringList &germanSentences();
const QStringList &frenchSentences();
const QStringList &germanInterface(); // dialog and menu texts
const QStringList &frenchInterface();
const QStringList &buttonCaptions(); // "Don't Save", "Install Now"
const QStringList &menuEntries(); // "Reopen Closed Tab"
const QStringList &menuShortcuts(); // "Ctrl+Shift+T"
const QStringList &sidebarEntries(); // "Downloads", "Trash"
const QStringList &applicationNames(); // "Text Editor"
const QStringList &statusTexts(); // "Indexing…", "Connected"

} // namespace kavri::heldout
