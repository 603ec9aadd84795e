// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QUrl>

struct psl_ctx_st;

namespace kavri {

// Finds the web links and e-mail addresses in free text, as a chat client or an address bar
// would: http, https and ftp URLs, "www." addresses, bare domain names whose top-level domain is
// real, and e-mail addresses (as "mailto:" URLs). No other scheme is ever produced, so a payload
// cannot make Kavri open a local file or run a script.
//
// Runs in time linear in the text. Thread-safe: the suffix list is read-only once loaded.
class LinkDetector
{
public:
    // Loads the system's public suffix list. Without it, bare domains and e-mail addresses are not
    // detected (a warning is logged) but URLs with a scheme and "www." addresses still are.
    LinkDetector();
    ~LinkDetector();
    LinkDetector(const LinkDetector &) = delete;
    LinkDetector &operator=(const LinkDetector &) = delete;

    static const LinkDetector &shared();

    // Absolute URLs in order of appearance.
    QList<QUrl> detect(QStringView text) const;

private:
    struct Match;
    struct Scanner;

    // True for names under which others register ("com", "co.uk"): a real top-level domain is
    // one, a registrable host name is not.
    bool isPublicSuffix(QStringView name) const;

    psl_ctx_st *m_loaded; // owned; null when only the built-in list is there
    const psl_ctx_st *m_suffixes; // the list in use, or null
};

} // namespace kavri
