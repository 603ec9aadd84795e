// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRandomGenerator>
#include <QStringList>

// Word lists the corpus is built from, written by hand so that the corpus needs no download.
namespace kavri::words {

const QStringList &common(); // everyday English, lower case
const QStringList &uiLabels(); // button and menu labels
const QStringList &shortcuts(); // "Ctrl+S"
const QStringList &firstNames();
const QStringList &lastNames();
const QStringList &domains(); // second-level names, lower case
const QStringList &topLevelDomains();
const QStringList &identifiers(); // programming nouns, lower case
const QStringList &months();
const QStringList &statuses(); // "Pending", "Shipped"
const QStringList &cities();
const QStringList &accentedWords(); // Latin-1 words for code payloads ("Café")
const QStringList &germanWords(); // everyday German, with umlauts and ß
const QStringList &frenchWords(); // everyday French, with accents
const QStringList &germanLabels(); // German button and menu labels
const QStringList &frenchLabels();

// A uniformly chosen element.
const QString &pick(QRandomGenerator &random, const QStringList &list);
// An integer in [low, high].
int between(QRandomGenerator &random, int low, int high);
QString capitalized(const QString &word);

} // namespace kavri::words
