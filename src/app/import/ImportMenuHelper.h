// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>

#include <QObject>

class QMenu;
class QMimeData;

namespace kavri {

class CaptureResult;
class KavriCore;

// The Import submenu of Kavri's window and the imports behind it: the image on the clipboard, or
// an image file chosen in a file dialog or dropped on the window. Recognition and its results
// are the capture service's; a file that cannot be read is reported like any other failed import.
class ImportMenuHelper : public QObject
{
    Q_OBJECT

public:
    // Asks the user for an image file; \a chosen receives the path, not called when cancelled.
    using ChooseFile = std::function<void(std::function<void(const QString &path)> chosen)>;
    using Report = std::function<void(const CaptureResult &result)>;

    ImportMenuHelper(KavriCore &service, Report report, ChooseFile chooseFile, QObject *parent = nullptr);
    ~ImportMenuHelper() override;

    static ImportMenuHelper &shared();

    QMenu *menu() const { return m_menu.get(); }

    void importFromClipboard();
    void importFromFile();
    // Reads the file and hands the image to the capture service; while a capture runs the
    // import is dropped.
    void importFile(const QString &path);

    // The first local image file among dropped or pasted URLs.
    static std::optional<QString> imageFileIn(const QMimeData *data);
    // Dialog filter and drop check share this list.
    static const QStringList &imageSuffixes();
    // A file dialog for images, opened without blocking.
    static void chooseImageFile(std::function<void(const QString &path)> chosen);

private:
    KavriCore &m_service;
    Report m_report;
    ChooseFile m_chooseFile;
    std::unique_ptr<QMenu> m_menu;
};

} // namespace kavri
