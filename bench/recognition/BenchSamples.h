// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace kavri {

// One rendered text image and the exact text drawn on it.
struct TextSample
{
    QString id; // "t0042" in the tune corpus, "h0042" in the held-out one
    QString path; // the image every reader gets (PNG, or a reloaded JPEG)
    QString corpus; // "tune" (the pipeline is tuned on it) or "held-out" (only ever measured)
    // "word", "code", "separators", "link", "notext", "window", "ui", "menu", "paragraph", "table",
    // "numbers", "email", "url", "page4k", "language"
    QString kind;
    QString language; // "en", "de", "fr"
    QString font; // family name
    int pixelSize = 0; // CSS (logical) pixels of the text; a HiDPI image has twice as many
    QString theme; // the generator's own palette name
    bool hidpi = false; // drawn at device scale 2
    bool jpeg = false;
    QString truth; // lines joined with "\n"; "" when the image shows no text
};

// One rendered code image and the payloads a reader must report (a multiset: order is free).
struct CodeSample
{
    QString id; // "c0042"
    QString path;
    QString symbology; // "QR", "Aztec", "DataMatrix", "PDF417", "mixed", "none"
    QString variant; // "plain", "inverted", "rotated", "busy", "two", "two mixed", "linear", "linear + 2D"
    int moduleSize = 0; // pixels per module of the 2D code(s)
    QStringList expected;
    QString linearPayload; // the linear code's content when one is drawn; nobody may report it
};

// What the command line of recognition_bench asked for.
struct BenchOptions
{
    bool quick = false; // a small corpus of each kind, for a short loop
    bool external = true; // run the command-line tools beside Kavri
    QString dumpDirectory; // where Kavri's misses go, when set
    int jobs = 2; // command-line tools run this many at a time
};

} // namespace kavri
