// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/ContentActionHandler.h"

namespace kavri {

class Pasteboard;

// The desktop's side of the content actions: default applications, the clipboard, a private
// folder for contact cards and a save dialog. Main thread only.
class DesktopActionEnvironment : public ActionEnvironment
{
public:
    // The application's clipboard (Pasteboard::general(), looked up on first use).
    DesktopActionEnvironment() = default;
    explicit DesktopActionEnvironment(Pasteboard &pasteboard);

    void openUrl(const QUrl &url) override;
    // Replaces everything on the clipboard with \a text alone.
    void setClipboardText(const QString &text) override;
    // Asks xdg-mime for the scheme's default application.
    bool canOpenScheme(const QString &scheme) const override;
    // "kavri-contacts" in the session's runtime folder ($XDG_RUNTIME_DIR), else in Kavri's cache
    // folder; made, and kept, accessible to the user alone.
    QString contactFolder() const override;
    // Shows a save dialog for vCard files in the user's Documents folder (home when there is
    // none) and returns at once; \a chosen is called once, when the dialog closes.
    void chooseSaveLocation(const QString &fileName, std::function<void(std::optional<QString>)> chosen) override;

private:
    Pasteboard *m_pasteboard = nullptr;
};

} // namespace kavri
