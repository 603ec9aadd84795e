// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>

// Real text found on every Debian machine, for the held-out corpus: license prose, package
// metadata and C headers. Read once, sorted, so that a fixed seed picks the same text on a given
// machine. Characters the corpus fonts may lack are dropped with the text that holds them.
namespace kavri::heldout {

struct Package
{
    QString name;
    QString version;
    int installedKiB = 0;
    QString homepage; // may be empty
    QString maintainerName;
    QString maintainerEmail;
    QString summary; // the description's first line
    QStringList items; // lines of the long description that are list items, marker included
};

// Installed packages (dpkg-query), by name; only those with a maintainer address.
const QList<Package> &packages();
// Paragraphs of /usr/share/common-licenses/* and of package descriptions, whitespace collapsed.
const QStringList &proseParagraphs();
// The lines of C and C++ headers under /usr/include (two levels), tabs expanded, one list per file.
const QList<QStringList> &headerFiles();

// Whether every character of \a text is one the held-out fonts all have.
bool drawable(const QString &text);

} // namespace kavri::heldout
