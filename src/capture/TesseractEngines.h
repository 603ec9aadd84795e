// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QThreadPool;

#include "Outcome.h"

namespace tesseract {
class TessBaseAPI;
}

// Warm Tesseract engines: starting one takes a good part of a recognition's time.
namespace kavri::TesseractEngines {

// This thread's engine for \a languages (Tesseract's names, "eng", "deu+eng") helped by
// \a customWords, started on first use and kept for the thread's life (the least recently used
// goes when a thread holds too many). Never shared between threads. Fails when a language's data
// is not installed (naming its Debian package) or cannot be loaded.
Outcome<tesseract::TessBaseAPI *> forThisThread(const QStringList &languages, const QStringList &customWords);

// The custom-words file that this thread's engine for these languages and words was started
// with; empty when there is none (no words, or no engine yet). For checks, not for recognition.
QString customWordsFile(const QStringList &languages, const QStringList &customWords);

// The threads recognition runs on, as many as cores. They never expire, so their engines stay warm
// between captures.
QThreadPool *threadPool();

// Lets the idle threads go of their engines: each holds some 20 MB, and a tray application should
// not stay at its largest between captures. Waits for the idle threads; a thread busy
// recognising keeps its engines.
void releaseIdle();

// How many engines all threads hold together; for checks while no recognition runs.
int engineCount();

// Keeps Tesseract's OpenMP loops on the calling thread.
void limitOpenMp();

} // namespace kavri::TesseractEngines
