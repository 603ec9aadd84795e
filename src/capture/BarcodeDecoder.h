// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QStringList>

// The one place that talks to ZXing.
namespace kavri::BarcodeDecoder {

// The text payloads of every QR, Aztec, Data Matrix and PDF417 symbol in \a gray (8-bit gray),
// in the order found; linear codes are never reported, nor payloads that are not text. Finds
// what a single pass misses (light-on-dark codes, a second code of another symbology, codes
// with one-pixel modules, slightly rotated codes) without reporting one symbol twice.
QStringList decode(const QImage &gray);

} // namespace kavri::BarcodeDecoder
