// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGuiApplication>
#include <QTemporaryDir>

#include "capture/KavriCore.h"
#include "platform/Pasteboard.h"
#include "platform/UserDefaults.h"
#include "settings/AppSettings.h"
#include "shortcuts/KeyboardShortcuts.h"
#include "support/CaptureFakes.h"
#include "support/FakeHotKeys.h"

namespace kavri::test {

// The real capture service, settings, shortcut registry and clipboard over a private store, with
// scripted screen capture and recognition: what the tray shell's tests build on.
struct CaptureServiceRig
{
    QTemporaryDir dir;
    UserDefaults store { dir.filePath(QStringLiteral("defaults.plist")) };
    AppSettings settings { store };
    FakeHotKeys hotKeys;
    KeyboardShortcuts::Registry shortcuts { store, &hotKeys };
    Pasteboard pasteboard { QGuiApplication::clipboard() };
    ScriptedCapturer capturer;
    ScriptedRecognizer recognizer;
    FakeCaptureSettings captureSettings;
    RecordingUsageSink usage;
    KavriCore core { pasteboard, capturer, recognizer, captureSettings, usage };
};

} // namespace kavri::test
