// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SymbolImage.h"

#include <algorithm>
#include <optional>

#include <QFileInfo>
#include <QGuiApplication>
#include <QIconEngine>
#include <QImage>
#include <QMutex>
#include <QPainter>
#include <QPalette>
#include <QPixmapCache>
#include <QSet>
#include <QSvgRenderer>
#include <QThread>

#include "Log.h"

using namespace Qt::StringLiterals;

namespace kavri::SymbolImage {

namespace {

constexpr qreal disabledOpacity = 0.4;
// Far beyond any icon; keeps a bad request from allocating gigabytes.
constexpr int maxSide = 2048;

// An SVG compiled into kavri_platform (resources/CMakeLists.txt).
struct Source
{
    QString path;
    bool tintable = true;
};

// Letters, digits and dots only: a name never reaches another resource or the file system.
bool isPlainName(const QString &name)
{
    if (name.isEmpty() || name.startsWith(u'.'))
        return false;
    return std::all_of(name.cbegin(), name.cend(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'.';
    });
}

std::optional<Source> symbolSource(const QString &name)
{
    if (!isPlainName(name))
        return std::nullopt;
    QString path = u":/kavri/symbols/"_s + name + u".svg"_s;
    if (!QFileInfo::exists(path))
        return std::nullopt;
    return Source { std::move(path), true };
}

std::optional<Source> namedImageSource(const QString &name)
{
    if (name == u"MenuBarIcon")
        return Source { u":/kavri/images/MenuBarIcon.svg"_s, true };
    if (name == u"AppIconVibrant")
        return Source { u":/kavri/images/AppIconVibrant.svg"_s, false };
    return std::nullopt;
}

// Callers ask for the same missing name on every repaint; say so once.
void reportUnknown(const QString &name)
{
    static QMutex mutex;
    static QSet<QString> reported;
    const QMutexLocker locker(&mutex);
    if (reported.contains(name))
        return;
    reported.insert(name);
    qCDebug(lcKavri) << "No image named" << name;
}

// QPixmap and QPixmapCache live on the GUI thread of a GUI application.
bool onGuiThread()
{
    const auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    return app && app->thread() == QThread::currentThread();
}

// Template images follow the palette, so they read on light and dark themes alike.
QColor resolvedTint(const QColor &tint, QIcon::Mode mode)
{
    if (tint.isValid())
        return tint;
    const QPalette palette = QGuiApplication::palette();
    return palette.color(mode == QIcon::Selected ? QPalette::HighlightedText : QPalette::WindowText);
}

// The symbols are drawn in black; where a filled shape needs a hole (the check in
// "checkmark.circle.fill"), the SVG paints it white, because SVG Tiny has no masks. So the ink
// at a pixel is its coverage minus its lightness, and the tint is laid on with that alpha.
void applyTint(QImage &image, const QColor &tint)
{
    const QRgb colour = tint.rgba();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int ink = std::max(0, qAlpha(line[x]) - qGray(line[x]));
            const int alpha = ink * qAlpha(colour) / 255;
            line[x] = qPremultiply(qRgba(qRed(colour), qGreen(colour), qBlue(colour), alpha));
        }
    }
}

void fade(QImage &image, qreal opacity)
{
    QImage faded(image.size(), QImage::Format_ARGB32_Premultiplied);
    faded.fill(Qt::transparent);
    QPainter painter(&faded);
    painter.setOpacity(opacity);
    painter.drawImage(0, 0, image);
    painter.end();
    image = std::move(faded);
}

// A square of \a side device pixels; the drawing keeps its aspect ratio, centred.
QImage renderSvg(const QString &path, int side)
{
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, side, side));
    return image;
}

// \a tint is only used for tintable sources.
QPixmap renderPixmap(const Source &source, int side, const QColor &tint, QIcon::Mode mode, qreal devicePixelRatio)
{
    if (side <= 0 || side > maxSide || !onGuiThread())
        return {};
    const QColor colour = source.tintable ? resolvedTint(tint, mode) : QColor();
    const QString key = u"kavri.symbol|%1|%2|%3|%4|%5"_s.arg(source.path)
                            .arg(side)
                            .arg(colour.isValid() ? colour.name(QColor::HexArgb) : u"-"_s)
                            .arg(mode == QIcon::Disabled ? 1 : 0)
                            .arg(devicePixelRatio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;

    QImage image = renderSvg(source.path, side);
    if (image.isNull())
        return {};
    if (colour.isValid())
        applyTint(image, colour);
    if (mode == QIcon::Disabled)
        fade(image, disabledOpacity);
    pixmap = QPixmap::fromImage(std::move(image));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

// Renders every requested size and device pixel ratio from the SVG itself, so an icon is as
// crisp in a 16 px menu as on a 2x tray, instead of a bitmap scaled after the fact.
class SymbolIconEngine final : public QIconEngine
{
public:
    SymbolIconEngine(Source source, const QColor &tint)
        : m_source(std::move(source))
        , m_tint(tint)
    { }

    QIconEngine *clone() const override { return new SymbolIconEngine(m_source, m_tint); }
    QString key() const override { return u"kavri.symbol"_s; }
    bool isNull() override { return false; }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return { side, side };
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // \a size is in device pixels already.
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        return renderPixmap(m_source, std::min(size.width(), size.height()), m_tint, mode, scale);
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        const int side = std::min(rect.width(), rect.height());
        const QPixmap pixmap = renderPixmap(m_source, qRound(side * ratio), m_tint, mode, ratio);
        if (pixmap.isNull())
            return;
        QRect target(0, 0, side, side);
        target.moveCenter(rect.center());
        painter->drawPixmap(target, pixmap);
    }

private:
    Source m_source;
    QColor m_tint;
};

QIcon iconFor(const std::optional<Source> &source, const QString &name, const QColor &tint)
{
    if (!source) {
        reportUnknown(name);
        return {};
    }
    return QIcon(new SymbolIconEngine(*source, tint));
}

} // namespace

bool exists(const QString &name)
{
    return symbolSource(name).has_value();
}

QIcon icon(const QString &name, const QColor &tint)
{
    return iconFor(symbolSource(name), name, tint);
}

QPixmap pixmap(const QString &name, int logicalSize, const QColor &tint, qreal devicePixelRatio)
{
    const std::optional<Source> source = symbolSource(name);
    if (!source) {
        reportUnknown(name);
        return {};
    }
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    return renderPixmap(*source, qRound(logicalSize * ratio), tint, QIcon::Normal, ratio);
}

QIcon namedImage(const QString &name, const QColor &tint)
{
    return iconFor(namedImageSource(name), name, tint);
}

} // namespace kavri::SymbolImage
