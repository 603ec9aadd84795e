// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

// What Kavri knows about its own build and the maker's web host.
namespace kavri::AppInfo {

// The marketing version and the build number; "Unknown" when the build did not set them.
QString appVersion();
QString buildNumber();

// The maker's host without a trailing slash: $KAVRI_SERVER_BASE when set, else the build setting.
QString serverBase();
QString supportEmail();

QUrl websiteURL();
QUrl faqURL();
QUrl privacyPolicyURL();
QUrl statisticsURL();
// Where the update feed is published.
QUrl feedURL();

} // namespace kavri::AppInfo
