// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LaunchAtLogin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "platform/Log.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

// Marks the entry as written by Kavri, whatever executable it names.
constexpr QStringView ownerKey = u"X-Kavri-Autostart";

struct Entry
{
    bool ours = false;
    bool hidden = false;
};

// The keys of the [Desktop Entry] group that matter here.
std::optional<Entry> readEntry(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    Entry entry;
    bool inMainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[')) {
            inMainGroup = line == u"[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inMainGroup || equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == ownerKey)
            entry.ours = value == u"true";
        else if (key == u"Hidden")
            entry.hidden = entry.hidden || value == u"true";
        else if (key == u"X-GNOME-Autostart-enabled")
            entry.hidden = entry.hidden || value == u"false";
    }
    return entry;
}

} // namespace

LaunchAtLogin::LaunchAtLogin(QString executable, QObject *parent)
    : QObject(parent)
    , m_executable(std::move(executable))
{ }

QString LaunchAtLogin::entryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/autostart/kavri.desktop"_s;
}

QString LaunchAtLogin::execValue(const QString &program)
{
    // Inside quotes ", `, $ and \ are escaped; then every backslash once more for the string
    // value itself, and % is doubled so that it is no field code.
    QString quoted;
    for (const QChar c : program) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted.replace(u"\\"_s, u"\\\\"_s);
    quoted.replace(u"%"_s, u"%%"_s);
    return u'"' + quoted + u'"';
}

bool LaunchAtLogin::isEnabled() const
{
    const auto entry = readEntry(entryPath());
    return entry && entry->ours && !entry->hidden;
}

void LaunchAtLogin::setEnabled(bool enabled)
{
    Q_EMIT aboutToChange();
    QString error;
    bool ok = true;
    if (enabled) {
        // A fresh entry replaces a stale one (a moved executable); a failure to remove it is
        // of no account, the write that follows replaces it anyway.
        if (isEnabled())
            unregisterEntry(nullptr);
        ok = registerEntry(&error);
    } else {
        ok = unregisterEntry(&error);
    }
    if (!ok)
        qCCritical(lcMain, "Failed to %s launch at login: %ls", enabled ? "enable" : "disable", qUtf16Printable(error));
    Q_EMIT changed();
}

bool LaunchAtLogin::registerEntry(QString *error) const
{
    const QString path = entryPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = u"cannot create the folder %1"_s.arg(QFileInfo(path).absolutePath());
        return false;
    }
    const QString program = m_executable.isEmpty() ? QCoreApplication::applicationFilePath() : m_executable;
    const QString text = u"[Desktop Entry]\n"
                         u"Type=Application\n"
                         u"Name=Kavri\n"
                         u"Comment=Read text and QR codes off the screen\n"
                         u"Exec=%1\n"
                         u"Icon=io.github.kavri.Kavri\n"
                         u"Terminal=false\n"
                         u"X-GNOME-Autostart-enabled=true\n"
                         u"%2=true\n"_s.arg(execValue(program), ownerKey);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool LaunchAtLogin::unregisterEntry(QString *error) const
{
    const QString path = entryPath();
    const auto entry = readEntry(path);
    // Nothing there, or an entry of someone else's that happens to bear the name: left alone.
    if (!QFileInfo::exists(path) || (entry && !entry->ours))
        return true;
    QFile file(path);
    if (file.remove())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace kavri
