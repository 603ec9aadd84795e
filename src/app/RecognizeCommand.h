// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QIODevice;

namespace kavri {

// "kavri recognize [--qr | --text] [--lang CODE] [--words W1,W2,...] [--json] FILE...": the
// capture service's recognition steps on image files, without a display or the clipboard.
// By default codes first, then text (as an import); --qr only codes, --text only text. Files are
// read in parallel, one warm engine per worker thread; results come out in the files' order.
class RecognizeCommand
{
public:
    enum ExitCode { AllFound = 0, SomeFoundNothing = 1, Failed = 2 };

    RecognizeCommand(QIODevice &output, QIODevice &errors);

    // \a arguments after "recognize". Returns the exit code.
    int run(const QStringList &arguments);

private:
    QIODevice &m_output;
    QIODevice &m_errors;
};

} // namespace kavri
