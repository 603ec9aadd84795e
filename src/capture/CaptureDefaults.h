// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CaptureSeams.h"

// Stand-ins wired into the capture service until the settings store and the usage statistics
// take their places.
namespace kavri {

// The settings' defaults: sound on, language detected, English, no custom words.
class DefaultCaptureSettings : public CaptureSettings
{
public:
    bool soundEffectsEnabled() const override { return true; }
    bool autoDetectLanguage() const override { return true; }
    QString selectedLanguage() const override { return QStringLiteral("en-US"); }
    QStringList customWordsList() const override { return {}; }
};

// A usage gate that lets nothing through.
class NoUsageEvents : public UsageEventSink
{
public:
    void recordEvent(const QString &, const QString &, const QString &) override { }
};

} // namespace kavri
