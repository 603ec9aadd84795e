// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRandomGenerator>
#include <QString>

namespace kavri {

// The payload kinds a code in the corpus carries: URL, plain text, Wi-Fi, vCard, mailto:,
// MATMSG:, sms:, SMSTO:, tel:.
constexpr int codePayloadKinds = 9;

QString makeCodePayload(int kind, QRandomGenerator &random);
// Content for a Code 128 symbol (printable ASCII) or the 12 digits of an EAN-13 before its check digit.
QString makeCode128Payload(QRandomGenerator &random);
QString makeEan13Digits(QRandomGenerator &random);
// The 13 digits an EAN-13 reader reports.
QString ean13WithCheckDigit(const QString &twelveDigits);

} // namespace kavri
