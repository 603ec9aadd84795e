// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportMenuHelper.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QMenu>
#include <QMimeData>
#include <QStandardPaths>

#include "app/AppRootCoordinator.h"
#include "app/AppTexts.h"
#include "app/SharedInstances.h"
#include "capture/CaptureResult.h"
#include "capture/KavriCore.h"
#include "platform/ImageLimits.h"
#include "platform/Log.h"
#include "platform/SymbolImage.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

// The image in \a path, or the reason it cannot be had.
std::variant<QImage, QString> readImageFile(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return reader.errorString();
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > ImageLimits::maximumPixels)
        return u"The image is too large (%1 \u00d7 %2 pixels)."_s.arg(size.width()).arg(size.height());
    QImage image = reader.read();
    if (image.isNull())
        return reader.errorString();
    return image;
}

} // namespace

ImportMenuHelper::ImportMenuHelper(KavriCore &service, Report report, ChooseFile chooseFile, QObject *parent)
    : QObject(parent)
    , m_service(service)
    , m_report(std::move(report))
    , m_chooseFile(std::move(chooseFile))
    , m_menu(std::make_unique<QMenu>())
{
    const QColor ink = m_menu->palette().color(QPalette::WindowText);
    m_menu->addAction(SymbolImage::icon(u"clipboard"_s, ink), AppTexts::Import::fromClipboard.toString(), this,
        &ImportMenuHelper::importFromClipboard);
    m_menu->addAction(SymbolImage::icon(u"doc.text.magnifyingglass"_s, ink), AppTexts::Import::fromFile.toString(),
        this, &ImportMenuHelper::importFromFile);
}

ImportMenuHelper::~ImportMenuHelper() = default;

ImportMenuHelper &ImportMenuHelper::shared()
{
    static auto *helper = deletedOnQuit(new ImportMenuHelper(
        KavriCore::shared(),
        [](const CaptureResult &result) { AppRootCoordinator::shared().handleCaptureResult(result); },
        &ImportMenuHelper::chooseImageFile));
    return *helper;
}

void ImportMenuHelper::importFromClipboard()
{
    m_service.processImageFromClipboard();
}

void ImportMenuHelper::importFromFile()
{
    if (m_chooseFile)
        m_chooseFile([this](const QString &path) { importFile(path); });
}

void ImportMenuHelper::importFile(const QString &path)
{
    if (m_service.isCapturing()) {
        qCInfo(lcKavri, "Import of a file dropped: a capture is running");
        return;
    }
    auto outcome = readImageFile(path);
    if (const QString *reason = std::get_if<QString>(&outcome)) {
        qCWarning(lcKavri, "Could not read the image file: %ls", qUtf16Printable(*reason));
        if (m_report)
            m_report(CaptureResult::Error { AppTexts::Import::unreadableFile(QFileInfo(path).fileName(), *reason) });
        return;
    }
    m_service.processImage(std::get<QImage>(outcome));
}

const QStringList &ImportMenuHelper::imageSuffixes()
{
    static const QStringList suffixes { u"png"_s, u"jpg"_s, u"jpeg"_s, u"webp"_s, u"bmp"_s, u"gif"_s, u"tif"_s,
        u"tiff"_s };
    return suffixes;
}

std::optional<QString> ImportMenuHelper::imageFileIn(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return std::nullopt;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile() && imageSuffixes().contains(QFileInfo(url.toLocalFile()).suffix().toLower()))
            return url.toLocalFile();
    }
    return std::nullopt;
}

void ImportMenuHelper::chooseImageFile(std::function<void(const QString &path)> chosen)
{
    auto *dialog = new QFileDialog(nullptr, AppTexts::Import::chooseImage.toString(),
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation), AppTexts::Import::imageFiles.toString());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog, [chosen = std::move(chosen)](const QString &path) {
        if (chosen && !path.isEmpty())
            chosen(path);
    });
    dialog->open();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace kavri
