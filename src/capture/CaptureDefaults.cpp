// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaptureDefaults.h"

#include <QFuture>

namespace kavri {

namespace {
const QString unavailable = QStringLiteral("no recognition engine is available");
}

QFuture<Outcome<QString>> UnavailableRecognizer::recognizeText(
    const QImage &, const std::optional<QString> &, const QStringList &)
{
    return QtFuture::makeReadyFuture(Outcome<QString>(KavriError::recognitionFailed(unavailable)));
}

QFuture<Outcome<QStringList>> UnavailableRecognizer::detectBarcodes(const QImage &)
{
    return QtFuture::makeReadyFuture(Outcome<QStringList>(KavriError::recognitionFailed(unavailable)));
}

} // namespace kavri
