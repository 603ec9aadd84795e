// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kavri {

// The one error type of the capture pipeline. Its description is what the user reads.
class KavriError
{
public:
    enum class Kind {
        recognitionFailed, // payload: the underlying error's description
        generic, // payload: the message
        unexpectedlyFoundNil, // payload: a context, possibly empty
        cancelled,
        captureFailed,
        noImageInPasteboard,
        permissionDenied,
        imageConversionFailed,
        noTextFound,
        noBarcodeFound,
    };

    static KavriError recognitionFailed(const QString &underlyingDescription)
    {
        return { Kind::recognitionFailed, underlyingDescription };
    }
    static KavriError generic(const QString &message) { return { Kind::generic, message }; }
    static KavriError unexpectedlyFoundNil(const QString &context) { return { Kind::unexpectedlyFoundNil, context }; }
    static KavriError cancelled() { return { Kind::cancelled }; }
    static KavriError captureFailed() { return { Kind::captureFailed }; }
    static KavriError noImageInPasteboard() { return { Kind::noImageInPasteboard }; }
    static KavriError permissionDenied() { return { Kind::permissionDenied }; }
    static KavriError imageConversionFailed() { return { Kind::imageConversionFailed }; }
    static KavriError noTextFound() { return { Kind::noTextFound }; }
    static KavriError noBarcodeFound() { return { Kind::noBarcodeFound }; }

    Kind kind() const { return m_kind; }
    const QString &payload() const { return m_payload; }
    QString errorDescription() const;

    friend bool operator==(const KavriError &, const KavriError &) = default;

private:
    KavriError(Kind kind, QString payload = {})
        : m_kind(kind)
        , m_payload(std::move(payload))
    { }

    Kind m_kind;
    QString m_payload;
};

} // namespace kavri
