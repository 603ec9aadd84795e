// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GearMenuHelper.h"

#include <QSysInfo>
#include <QUrlQuery>

#include "platform/AppInfo.h"
#include "platform/PlatformWording.h"

using namespace Qt::StringLiterals;

namespace kavri {

GearMenuHelper &GearMenuHelper::shared()
{
    static GearMenuHelper helper;
    return helper;
}

std::optional<QUrl> GearMenuHelper::feedbackMailURL() const
{
    return feedbackMailURL(
        AppInfo::appVersion(), AppInfo::buildNumber(), QSysInfo::prettyProductName(), AppInfo::supportEmail());
}

std::optional<QUrl> GearMenuHelper::feedbackMailURL(
    const QString &version, const QString &buildNumber, const QString &systemVersion, const QString &address)
{
    const QString subject = u"Kavri %1 (%2) Feedback"_s.arg(version, buildNumber);
    const QString body = u"Kavri version: %1 (%2)\n"_s.arg(version, buildNumber)
        + PlatformWording::onLinux(u"macOS version: ") + systemVersion
        + u"\n\nPlease describe your problem as detailed as possible below. You may also want to attach "
          u"screenshots.\n\n"_s;

    // QUrlQuery would leave spaces, '&' and '+' ambiguous for mail clients; encode every value fully.
    const auto encode = [](const QString &value) { return QString::fromLatin1(QUrl::toPercentEncoding(value)); };
    QUrl url;
    url.setScheme(u"mailto"_s);
    url.setPath(address);
    url.setQuery(u"subject="_s + encode(subject) + u"&body="_s + encode(body), QUrl::StrictMode);
    if (!url.isValid() || address.isEmpty())
        return std::nullopt;
    return url;
}

} // namespace kavri
