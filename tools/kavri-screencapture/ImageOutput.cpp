// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageOutput.h"

#include <QDebug>
#include <QImage>
#include <QSaveFile>

namespace kavri {

bool writePng(const QImage &image, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        qWarning("cannot write %ls: %ls", qUtf16Printable(path), qUtf16Printable(file.errorString()));
        return false;
    }
    return true;
}

} // namespace kavri
