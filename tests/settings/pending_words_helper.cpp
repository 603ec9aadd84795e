// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A process that types custom words and is then ended by a signal, as Kavri is when the session
// ends: pending_words_helper STORE WORDS. Prints "ready" once the words are pending.
#include <cstdio>

#include <QCoreApplication>

#include "platform/TerminationSignals.h"
#include "platform/UserDefaults.h"
#include "settings/AppSettings.h"

using namespace std::chrono_literals;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    kavri::TerminationSignals::install();
    kavri::UserDefaults store(QString::fromLocal8Bit(argv[1]));
    // Far longer than the test runs: the words are still pending when the signal comes.
    kavri::AppSettings settings(store, nullptr, 1h);
    settings.setCustomWords(QString::fromUtf8(argv[2]));
    std::puts("ready");
    std::fflush(stdout);
    return QCoreApplication::exec();
}
