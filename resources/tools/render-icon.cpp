// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Build-time tool: renders an SVG to square PNGs for the icon theme.
//   kavri-render-icon SVG SIZE OUTPUT.png [SIZE OUTPUT.png]...
#include <cstdio>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace {

bool renderTo(QSvgRenderer &renderer, int size, const QString &output)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    return QDir().mkpath(QFileInfo(output).absolutePath()) && image.save(output, "PNG");
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4 || argc % 2 != 0) {
        std::fputs("usage: kavri-render-icon SVG SIZE OUTPUT.png [SIZE OUTPUT.png]...\n", stderr);
        return 2;
    }
    const QString input = QString::fromLocal8Bit(argv[1]);
    QSvgRenderer renderer(input);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "kavri-render-icon: cannot read %s\n", argv[1]);
        return 1;
    }
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    for (int i = 2; i + 1 < argc; i += 2) {
        bool ok = false;
        const int size = QByteArray(argv[i]).toInt(&ok);
        if (!ok || size <= 0 || size > 4096) {
            std::fprintf(stderr, "kavri-render-icon: bad size %s\n", argv[i]);
            return 2;
        }
        if (!renderTo(renderer, size, QString::fromLocal8Bit(argv[i + 1]))) {
            std::fprintf(stderr, "kavri-render-icon: cannot write %s\n", argv[i + 1]);
            return 1;
        }
    }
    return 0;
}
