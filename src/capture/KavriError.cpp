// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "KavriError.h"

#include "CaptureTexts.h"

namespace kavri {

QString KavriError::errorDescription() const
{
    switch (m_kind) {
    case Kind::recognitionFailed:
        return CaptureTexts::recognitionFailedPrefix.toString() + m_payload;
    case Kind::generic:
        return m_payload;
    case Kind::unexpectedlyFoundNil:
        return m_payload.isEmpty() ? CaptureTexts::unexpectedlyFoundNil.toString()
                                   : CaptureTexts::unexpectedlyFoundNil.toString() + u": " + m_payload;
    case Kind::cancelled:
        return CaptureTexts::cancelled.toString();
    case Kind::captureFailed:
        return CaptureTexts::captureFailed.toString();
    case Kind::noImageInPasteboard:
        return CaptureTexts::noImageInPasteboard.toString();
    case Kind::permissionDenied:
        return CaptureTexts::permissionDenied();
    case Kind::imageConversionFailed:
        return CaptureTexts::imageConversionFailed.toString();
    case Kind::noTextFound:
        return CaptureTexts::noTextFound.toString();
    case Kind::noBarcodeFound:
        return CaptureTexts::noBarcodeFound.toString();
    }
    Q_UNREACHABLE();
    return {};
}

} // namespace kavri
