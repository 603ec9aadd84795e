// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRandomGenerator>
#include <QString>

// Drawing of single symbols and of the scenes they sit in.
namespace kavri::symbols {

enum class Symbology { qr, aztec, dataMatrix, pdf417 };
constexpr int symbologyCount = 4;

QString nameOf(Symbology symbology);

// The symbol at \a module pixels a module, with a quiet zone of the symbology's usual width;
// a null image when the writer refuses the payload.
QImage matrixSymbol(Symbology symbology, const QString &payload, int module, QColor ink, QColor paper);
// A Code 128 symbol, or an EAN-13 from its first 12 digits, with the digits printed below.
QImage linearSymbol(bool ean13, const QString &content, int module, QColor ink, QColor paper);

// The parts side by side (or stacked), centred across, \a gap pixels apart, on \a paper.
QImage arrange(const QList<QImage> &parts, bool horizontal, int gap, QColor paper);
// \a image with a selection margin of 4 to 12 pixels on each side.
QImage withMargin(const QImage &image, QColor paper, QRandomGenerator &random);
// \a image turned by \a degrees with smooth sampling, on \a paper.
QImage rotated(const QImage &image, double degrees, QColor paper);
// \a symbol inside a window-like screenshot: title bar, text lines, buttons.
QImage inBusyScene(const QImage &symbol, QRandomGenerator &random);

} // namespace kavri::symbols
