// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopActionEnvironment.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/Pasteboard.h"
#include "platform/Workspace.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

QString saveFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists())
        return documents;
    return QDir::homePath();
}

} // namespace

DesktopActionEnvironment::DesktopActionEnvironment(Pasteboard &pasteboard)
    : m_pasteboard(&pasteboard)
{ }

void DesktopActionEnvironment::openUrl(const QUrl &url)
{
    Workspace::openUrl(url);
}

void DesktopActionEnvironment::setClipboardText(const QString &text)
{
    Pasteboard &pasteboard = m_pasteboard ? *m_pasteboard : Pasteboard::general();
    pasteboard.clearContents();
    pasteboard.setString(text);
}

bool DesktopActionEnvironment::canOpenScheme(const QString &scheme) const
{
    return Workspace::hasHandlerFor(scheme).value_or(true);
}

QString DesktopActionEnvironment::contactFolder() const
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    for (const QString &base : { runtime, QStandardPaths::writableLocation(QStandardPaths::CacheLocation) }) {
        if (base.isEmpty() || !QDir::isAbsolutePath(base))
            continue;
        const QString folder = QDir(base).filePath(u"kavri-contacts"_s);
        constexpr auto ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        constexpr auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
            | QFile::WriteOther | QFile::ExeOther;
        if (QDir().mkpath(folder) && QFile::setPermissions(folder, ownerOnly)
            && !(QFileInfo(folder).permissions() & others))
            return folder;
    }
    return {};
}

void DesktopActionEnvironment::chooseSaveLocation(
    const QString &fileName, std::function<void(std::optional<QString>)> chosen)
{
    auto *dialog = new QFileDialog(nullptr, QString(), saveFolder());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(u"vCard (*.vcf *.vcard)"_s);
    dialog->setDefaultSuffix(u"vcf"_s);
    dialog->selectFile(fileName);
    QObject::connect(dialog, &QDialog::finished, dialog, [dialog, chosen = std::move(chosen)](int result) {
        const QStringList files = dialog->selectedFiles();
        if (result == QDialog::Accepted && !files.isEmpty() && !files.constFirst().isEmpty())
            chosen(files.constFirst());
        else
            chosen(std::nullopt);
    });
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace kavri
