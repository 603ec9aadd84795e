// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QImage>
#include <QString>
#include <QStringList>

namespace kavri {

// Kavri's engine, called on the calling thread and timed around the call alone.
struct KavriText
{
    QString text;
    QString error; // the error's description when the call failed; the text is then empty
    double milliseconds = 0.0;
};

struct KavriCodes
{
    QStringList payloads;
    QString error;
    double milliseconds = 0.0;
};

// \a language is a settings code ("de-DE"); none lets Kavri detect it.
KavriText kavriRecognizeText(const QImage &image, const std::optional<QString> &language);
KavriCodes kavriDetectCodes(const QImage &image);

} // namespace kavri
