// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include "AppRequest.h"
#include "capture/CaptureResult.h"

namespace kavri {

class KavriCore;

namespace KeyboardShortcuts {
class Registry;
}

// Takes the requests that reach the running Kavri (its global shortcuts, other kavri processes)
// to the capture service, and logs what comes back.
class RequestRouter : public QObject, public KavriCoreDelegate
{
    Q_OBJECT

public:
    RequestRouter(KavriCore &core, KeyboardShortcuts::Registry &shortcuts, QObject *parent = nullptr);

    // \a source says where it came from, for the log.
    void perform(AppRequest request, const QString &source);

    void handleCaptureResult(const CaptureResult &result) override;

private:
    KavriCore &m_core;
};

} // namespace kavri
