// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppInfo.h"

#include "BuildInfo.h"

using namespace Qt::StringLiterals;

namespace kavri::AppInfo {

namespace {

QString orUnknown(const char *value)
{
    const QString text = QString::fromUtf8(value).trimmed();
    return text.isEmpty() ? u"Unknown"_s : text;
}

QUrl onHost(const QString &path)
{
    return QUrl(serverBase() + path);
}

} // namespace

QString appVersion()
{
    return orUnknown(BuildInfo::version);
}

QString buildNumber()
{
    return orUnknown(BuildInfo::buildNumber);
}

QString serverBase()
{
    QString base = qEnvironmentVariable("KAVRI_SERVER_BASE").trimmed();
    if (base.isEmpty())
        base = QString::fromUtf8(BuildInfo::serverBase);
    while (base.endsWith(u'/'))
        base.chop(1);
    return base;
}

QString supportEmail()
{
    return QString::fromUtf8(BuildInfo::supportEmail);
}

QUrl websiteURL()
{
    return onHost(u"/kavri/"_s);
}

QUrl faqURL()
{
    return onHost(u"/kavri/#faq"_s);
}

QUrl privacyPolicyURL()
{
    return onHost(u"/kavri/privacy.html"_s);
}

QUrl statisticsURL()
{
    return onHost(u"/analytics/matomo.php"_s);
}

QUrl feedURL()
{
    return onHost(u"/kavri/appcast.xml"_s);
}

} // namespace kavri::AppInfo
