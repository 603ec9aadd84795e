// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Workspace.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

#include "Log.h"

using namespace Qt::StringLiterals;

namespace kavri::Workspace {

namespace {

// Desktop settings have no common URL scheme; Kavri names the pages it can open with its own
// scheme and starts the desktop's settings program for them.
constexpr QStringView settingsScheme = u"kavri-settings";

QString gnomeSettings()
{
    if (!qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(u"GNOME"_s, Qt::CaseInsensitive))
        return {};
    return QStandardPaths::findExecutable(u"gnome-control-center"_s);
}

} // namespace

bool openUrl(const QUrl &url)
{
    if (url.scheme() == settingsScheme) {
        const QString program = gnomeSettings();
        if (!program.isEmpty() && QProcess::startDetached(program, { url.path() }))
            return true;
        qCWarning(lcKavri, "Cannot open the desktop's settings page %ls", qUtf16Printable(url.path()));
        return false;
    }
    if (QDesktopServices::openUrl(url))
        return true;
    qCWarning(lcKavri, "The desktop could not open %ls", qUtf16Printable(url.toDisplayString()));
    return false;
}

std::optional<bool> hasHandlerFor(const QString &scheme)
{
    const QString xdgMime = QStandardPaths::findExecutable(u"xdg-mime"_s);
    if (xdgMime.isEmpty())
        return std::nullopt;
    QProcess query;
    query.start(xdgMime, { u"query"_s, u"default"_s, u"x-scheme-handler/"_s + scheme });
    if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) {
        query.kill();
        query.waitForFinished();
        return std::nullopt;
    }
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

std::optional<QUrl> screenCaptureSettingsUrl()
{
    // GNOME's Privacy page holds the screenshot and screen-sharing permissions of the portal.
    if (gnomeSettings().isEmpty())
        return std::nullopt;
    return QUrl(settingsScheme.toString() + u":privacy"_s);
}

} // namespace kavri::Workspace
