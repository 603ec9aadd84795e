// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RequestRouter.h"

#include "capture/KavriCore.h"
#include "platform/Log.h"
#include "shortcuts/KeyboardShortcuts.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

const char *resultKind(const CaptureResult &result)
{
    static constexpr const char *kinds[] = { "success", "QR code found", "error", "cancelled", "no text found",
        "no QR code found", "permission denied" };
    return kinds[result.value().index()];
}

} // namespace

RequestRouter::RequestRouter(KavriCore &core, KeyboardShortcuts::Registry &shortcuts, QObject *parent)
    : QObject(parent)
    , m_core(core)
{
    m_core.setDelegate(this);
    namespace Names = KeyboardShortcuts::Names;
    const std::pair<const KeyboardShortcuts::Name &, AppRequest> bindings[] = {
        { Names::toggleMenu(), AppRequest::toggleMenu },
        { Names::captureScreen(), AppRequest::captureText },
        { Names::captureQRCode(), AppRequest::captureQRCode },
    };
    for (const auto &binding : bindings) {
        const KeyboardShortcuts::Name &name = binding.first;
        shortcuts.create(name);
        // On release, so the capture starts with the keys up.
        shortcuts.onKeyUp(name, [this, request = binding.second, source = u"the %1 shortcut"_s.arg(name.rawValue)] {
            perform(request, source);
        });
    }
}

void RequestRouter::perform(AppRequest request, const QString &source)
{
    qCInfo(lcMain, "Request %ls from %ls", qUtf16Printable(AppRequests::name(request)), qUtf16Printable(source));
    switch (request) {
    case AppRequest::captureText:
        m_core.captureText();
        break;
    case AppRequest::captureQRCode:
        m_core.captureQRCode();
        break;
    case AppRequest::importClipboard:
        m_core.processImageFromClipboard();
        break;
    case AppRequest::activate:
    case AppRequest::toggleMenu:
        // Kavri has no window of its own to show yet.
        break;
    }
}

void RequestRouter::handleCaptureResult(const CaptureResult &result)
{
    qCInfo(lcMain, "Capture finished: %s", resultKind(result));
}

} // namespace kavri
