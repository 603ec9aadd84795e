// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppRequest.h"

using namespace Qt::StringLiterals;

namespace kavri::AppRequests {

namespace {

struct Entry
{
    AppRequest request;
    QStringView name;
};

constexpr Entry entries[] = {
    { AppRequest::activate, u"activate" },
    { AppRequest::captureText, u"capture-text" },
    { AppRequest::captureQRCode, u"capture-qr" },
    { AppRequest::toggleMenu, u"toggle-menu" },
    { AppRequest::importClipboard, u"import-clipboard" },
};

} // namespace

QString name(AppRequest request)
{
    for (const Entry &entry : entries)
        if (entry.request == request)
            return entry.name.toString();
    Q_UNREACHABLE();
}

std::optional<AppRequest> fromName(QStringView name)
{
    for (const Entry &entry : entries)
        if (entry.name == name)
            return entry.request;
    return std::nullopt;
}

std::optional<AppRequest> fromOption(QStringView option)
{
    if (!option.startsWith(u"--"))
        return std::nullopt;
    const auto request = fromName(option.sliced(2));
    // A second start sends "activate" by itself; it is not an option.
    return request == AppRequest::activate ? std::nullopt : request;
}

} // namespace kavri::AppRequests
