// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <variant>

#include <QString>

#include "content/ParsedContent.h"

namespace kavri {

// The outcome of one capture or import; exactly one is reported per accepted request.
class CaptureResult
{
public:
    struct Success // text recognition produced text (never empty)
    {
        QString text;
        ParsedContent parsedContent;
    };
    struct QRCodeFound // at least one code was decoded; payload = all of them, joined
    {
        QString payload;
        ParsedContent parsedContent;
    };
    struct Error // any other failure, with the text the user reads
    {
        QString message;
    };
    struct Cancelled
    { };
    struct NoTextFound
    { };
    struct NoQRCodeFound
    { };
    struct PermissionDenied
    { };
    using Value = std::variant<Success, QRCodeFound, Error, Cancelled, NoTextFound, NoQRCodeFound, PermissionDenied>;

    template <typename T>
    requires std::is_constructible_v<Value, T &&> CaptureResult(
        T &&value) // NOLINT(google-explicit-constructor): every case is a result
        : m_value(std::forward<T>(value))
    { }

    template <typename T> const T *as() const { return std::get_if<T>(&m_value); }
    template <typename T> bool is() const { return std::holds_alternative<T>(m_value); }
    const Value &value() const { return m_value; }

private:
    Value m_value;
};

// Receives the capture service's results, always on the main thread.
class KavriCoreDelegate
{
public:
    virtual ~KavriCoreDelegate() = default;
    virtual void handleCaptureResult(const CaptureResult &result) = 0;
};

} // namespace kavri
