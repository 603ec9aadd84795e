// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <variant>

#include <QImage>
#include <QObject>
#include <QStringList>

class QClipboard;

namespace kavri {

// Why no image could be read from a clipboard.
enum class PasteboardImageFailure {
    empty, // nothing on the clipboard
    noImage, // something, but no image
    unreadable, // an image that does not decode
};

// \a image as the 32-bit bitmap the pipeline works on (ARGB32 when it has alpha, else RGB32).
QImage bitmapImage(const QImage &image);

// The desktop's clipboard (not the X11 selection). Keeps a change count that rises with every
// change, Kavri's own writes and other programs' alike, so a caller can tell whether anything
// happened between two moments. Main thread only.
class Pasteboard : public QObject
{
    Q_OBJECT

public:
    explicit Pasteboard(QClipboard *clipboard, QObject *parent = nullptr);

    // The application's clipboard; needs a QGuiApplication.
    static Pasteboard &general();

    qint64 changeCount() const { return m_changeCount; }
    // MIME types of what is on the clipboard; empty when nothing is.
    QStringList types() const;

    void clearContents();
    void setString(const QString &text);
    void setImage(const QImage &image);

    // The clipboard's image as a 32-bit bitmap, or why there is none.
    std::variant<QImage, PasteboardImageFailure> readImage() const;

private:
    void noteChange();

    QClipboard *m_clipboard;
    qint64 m_changeCount = 0;
};

} // namespace kavri
