// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pasteboard.h"

#include <algorithm>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace kavri {

QImage bitmapImage(const QImage &image)
{
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

Pasteboard::Pasteboard(QClipboard *clipboard, QObject *parent)
    : QObject(parent)
    , m_clipboard(clipboard)
{
    connect(m_clipboard, &QClipboard::changed, this, [this](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard)
            noteChange();
    });
}

Pasteboard &Pasteboard::general()
{
    static Pasteboard *pasteboard = new Pasteboard(QGuiApplication::clipboard(), qApp);
    return *pasteboard;
}

QStringList Pasteboard::types() const
{
    const QMimeData *data = m_clipboard->mimeData(QClipboard::Clipboard);
    return data ? data->formats() : QStringList();
}

void Pasteboard::clearContents()
{
    m_clipboard->clear(QClipboard::Clipboard);
    noteChange();
}

void Pasteboard::setString(const QString &text)
{
    m_clipboard->setText(text, QClipboard::Clipboard);
    noteChange();
}

void Pasteboard::setImage(const QImage &image)
{
    m_clipboard->setImage(image, QClipboard::Clipboard);
    noteChange();
}

std::variant<QImage, PasteboardImageFailure> Pasteboard::readImage() const
{
    const QMimeData *data = m_clipboard->mimeData(QClipboard::Clipboard);
    if (!data || data->formats().isEmpty())
        return PasteboardImageFailure::empty;
    const QStringList formats = data->formats();
    const auto imageFormat = std::find_if(
        formats.begin(), formats.end(), [](const QString &format) { return format.startsWith(u"image/"); });
    if (!data->hasImage() && imageFormat == formats.end())
        return PasteboardImageFailure::noImage;

    QImage image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull() && imageFormat != formats.end())
        image = QImage::fromData(data->data(*imageFormat));
    if (image.isNull())
        return PasteboardImageFailure::unreadable;
    image = bitmapImage(image);
    if (image.isNull())
        return PasteboardImageFailure::unreadable;
    return image;
}

void Pasteboard::noteChange()
{
    ++m_changeCount;
}

} // namespace kavri
