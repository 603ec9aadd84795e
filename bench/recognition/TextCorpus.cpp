// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextCorpus.h"

#include <algorithm>
#include <array>

#include <QDir>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>

#include "TextContent.h"
#include "TuneBlocks.h"
#include "TuneNoText.h"
#include "TuneScenes.h"
#include "WordLists.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

using words::between;

constexpr quint32 textSeed = 0x4b617654; // fixed: the corpus must not change between runs
constexpr std::array pixelSizes = { 9, 10, 11, 12, 14, 16, 18, 20 };

struct KindPlan
{
    QStringView kind;
    int full = 0; // images in the full corpus
    int quick = 0; // and in the quick one
};

constexpr std::array kindPlan
    = { KindPlan { u"ui", 40, 4 }, KindPlan { u"menu", 30, 3 }, KindPlan { u"paragraph", 48, 5 },
          KindPlan { u"code", 40, 5 }, KindPlan { u"url", 24, 3 }, KindPlan { u"email", 24, 3 },
          KindPlan { u"numbers", 30, 3 }, KindPlan { u"table", 30, 3 }, KindPlan { u"word", 48, 6 },
          KindPlan { u"separators", 30, 4 }, KindPlan { u"link", 36, 4 }, KindPlan { u"notext", 18, 6 },
          KindPlan { u"window", 18, 3 }, KindPlan { u"language", 40, 4 }, KindPlan { u"page4k", 1, 0 } };

const QStringList &fontFamilies()
{
    static const QStringList list
        = { u"DejaVu Sans"_s, u"DejaVu Sans Mono"_s, u"Liberation Sans"_s, u"Liberation Serif"_s, u"Noto Sans"_s };
    return list;
}

const QStringList &themes()
{
    static const QStringList list = { u"light"_s, u"dark"_s, u"coloured"_s };
    return list;
}

struct Palette
{
    QColor background;
    QColor text;
};

Palette paletteFor(const QString &theme, QRandomGenerator &random)
{
    if (theme == u"light") {
        static const std::array<Palette, 4> light
            = { { { QColor(0xffffff), QColor(0x1f1f1f) }, { QColor(0xf6f6f6), QColor(0x333333) },
                { QColor(0xffffff), QColor(0, 0, 0) }, { QColor(0xfafafa), QColor(0x24292f) } } };
        return light.at(std::size_t(random.bounded(int(light.size()))));
    }
    if (theme == u"dark") {
        static const std::array<Palette, 4> dark
            = { { { QColor(0x1e1e1e), QColor(0xd4d4d4) }, { QColor(0x121212), QColor(0xe6e6e6) },
                { QColor(0x2b2b2b), QColor(0xffffff) }, { QColor(0x0d1117), QColor(0xc9d1d9) } } };
        return dark.at(std::size_t(random.bounded(int(dark.size()))));
    }
    // With two of low contrast, as disabled controls and dimmed themes draw text.
    static const std::array<Palette, 7> coloured = { { { QColor(0x1565c0), QColor(0xffffff) },
        { QColor(0xffeb3b), QColor(0x1a1a1a) }, { QColor(0x2e7d32), QColor(0xffffff) },
        { QColor(0xc62828), QColor(0xffffff) }, { QColor(0xffe0b2), QColor(0x4e342e) },
        { QColor(0xdcdcdc), QColor(0x8c8c8c) }, { QColor(0x303030), QColor(0x7a7a7a) } } };
    return coloured.at(std::size_t(random.bounded(int(coloured.size()))));
}

struct PlacedText
{
    QPoint baseline;
    QString text;
};

struct Layout
{
    QSize size; // content only, without the selection margin
    QList<PlacedText> texts;
    QList<QRect> buttons;
};

Layout layOut(const TextContent &content, const QFontMetrics &metrics)
{
    Layout layout;
    const int em = metrics.horizontalAdvance(u'M');
    const int padX = content.buttons ? em : 0;
    const int padY = content.buttons ? std::max(3, metrics.height() / 3) : 0;
    const int rowHeight = metrics.height() + 2 * padY
        + (content.layout == TextContent::Layout::menu ? metrics.height() / 2 : metrics.leading());
    const int gap = content.layout == TextContent::Layout::toolbar ? em : 2 * em + em / 2;

    QList<int> columnWidths;
    for (const QStringList &cells : content.rows) {
        for (qsizetype column = 0; column < cells.size(); ++column) {
            if (columnWidths.size() <= column)
                columnWidths.append(0);
            columnWidths[column] = std::max(columnWidths.at(column), metrics.horizontalAdvance(cells.at(column)));
        }
    }
    int y = 0;
    int width = 0;
    for (const QStringList &cells : content.rows) {
        int x = 0;
        for (qsizetype column = 0; column < cells.size(); ++column) {
            const int advance = metrics.horizontalAdvance(cells.at(column));
            int cellX = x;
            if (content.layout == TextContent::Layout::menu && column == 1)
                cellX = columnWidths.at(0) + 3 * em + columnWidths.at(1) - advance; // right-aligned shortcut
            if (content.buttons)
                layout.buttons.append(QRect(cellX, y, advance + 2 * padX, metrics.height() + 2 * padY));
            layout.texts.append({ QPoint(cellX + padX, y + padY + metrics.ascent()), cells.at(column) });
            const int cellWidth = content.layout == TextContent::Layout::toolbar ? advance : columnWidths.at(column);
            x = cellX + cellWidth + 2 * padX + gap;
            width = std::max(width, cellX + advance + 2 * padX);
        }
        y += rowHeight;
    }
    layout.size = QSize(width, y - (rowHeight - metrics.height() - 2 * padY));
    return layout;
}

// Draws the text as a colour LCD screen does: coverage sampled at three times the horizontal
// resolution, lightly filtered, one sample per colour channel.
void drawSubpixelText(QImage &image, const QFont &font, const QColor &colour, const QList<PlacedText> &texts)
{
    QImage mask(image.width() * 3, image.height(), QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(3.0, 1.0);
        painter.setFont(font);
        painter.setPen(Qt::white);
        for (const PlacedText &text : texts)
            painter.drawText(text.baseline, text.text);
    }
    constexpr std::array filter = { 1, 2, 3, 2, 1 };
    const std::array<int, 3> ink = { colour.red(), colour.green(), colour.blue() };
    for (int y = 0; y < image.height(); ++y) {
        const uchar *coverage = mask.constScanLine(y);
        auto *pixels = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            std::array<int, 3> channels = { qRed(pixels[x]), qGreen(pixels[x]), qBlue(pixels[x]) };
            for (int channel = 0; channel < 3; ++channel) {
                int sum = 0;
                for (int tap = 0; tap < 5; ++tap) {
                    const int sample = std::clamp(3 * x + channel + tap - 2, 0, mask.width() - 1);
                    sum += filter.at(std::size_t(tap)) * coverage[sample];
                }
                const int alpha = sum / 9;
                int &value = channels.at(std::size_t(channel));
                value += (ink.at(std::size_t(channel)) - value) * alpha / 255;
            }
            pixels[x] = qRgb(channels[0], channels[1], channels[2]);
        }
    }
}

QImage render(
    const TextContent &content, const QFont &font, const Palette &palette, bool subpixel, QRandomGenerator &random)
{
    const QFontMetrics metrics(font);
    const Layout layout = layOut(content, metrics);
    const std::array<int, 4> margins
        = { between(random, 4, 12), between(random, 4, 12), between(random, 4, 12), between(random, 4, 12) };
    QImage image(layout.size.width() + margins[0] + margins[2], layout.size.height() + margins[1] + margins[3],
        QImage::Format_RGB32);
    image.fill(palette.background);
    QPainter painter(&image);
    painter.translate(margins[0], margins[1]);
    if (!layout.buttons.isEmpty()) {
        const bool darkBackground = palette.background.lightness() < 128;
        const QColor face = darkBackground ? palette.background.lighter(150) : palette.background.darker(108);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(darkBackground ? face.lighter(130) : face.darker(125));
        painter.setBrush(face);
        for (const QRect &button : layout.buttons)
            painter.drawRoundedRect(QRectF(button).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }
    if (subpixel) {
        painter.end();
        QList<PlacedText> shifted = layout.texts;
        for (PlacedText &text : shifted)
            text.baseline += QPoint(margins[0], margins[1]);
        drawSubpixelText(image, font, palette.text, shifted);
        return image;
    }
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(palette.text);
    for (const PlacedText &text : layout.texts)
        painter.drawText(text.baseline, text.text);
    return image;
}

QFont corpusFont(const QString &family, int pixelSize, QRandomGenerator &random)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::PreferAntialias);
    static constexpr std::array hinting
        = { QFont::PreferDefaultHinting, QFont::PreferFullHinting, QFont::PreferNoHinting };
    font.setHintingPreference(hinting.at(std::size_t(random.bounded(int(hinting.size())))));
    return font;
}

// Draws one sample of its kind and fills in its truth; kinds with their own sizes or fonts
// overwrite what the combination cycle proposed.
QImage drawSample(TextSample &sample, int index, QRandomGenerator &random)
{
    if (sample.kind == u"notext") {
        sample.font.clear();
        sample.pixelSize = 0;
        sample.theme = u"none"_s;
        return tune::noTextScene(index, random);
    }
    if (sample.kind == u"page4k") {
        sample.font = index % 2 == 0 ? u"Liberation Serif"_s : u"DejaVu Sans"_s;
        sample.pixelSize = 14;
        sample.theme = u"light"_s;
        const tune::Scene scene = tune::documentPage(corpusFont(sample.font, 14, random), random);
        sample.truth = scene.truth;
        return scene.image;
    }
    if (sample.kind == u"window") {
        sample.pixelSize = between(random, 11, 14);
        if (sample.font.contains(u"Mono"_s) || sample.font.contains(u"Serif"_s))
            sample.font = u"Noto Sans"_s;
        sample.theme = sample.theme == u"dark" ? u"dark"_s : u"light"_s;
        const tune::Scene scene
            = tune::windowScene(corpusFont(sample.font, sample.pixelSize, random), sample.theme == u"dark", random);
        sample.truth = scene.truth;
        return scene.image;
    }
    if (sample.kind == u"word" || sample.kind == u"language")
        sample.pixelSize = between(random, sample.kind == u"word" ? 11 : 12, 16);
    if (sample.kind == u"code")
        sample.font = index % 2 == 0 ? u"DejaVu Sans Mono"_s : u"Liberation Mono"_s;
    const QFont font = corpusFont(sample.font, sample.pixelSize, random);
    const Palette palette = paletteFor(sample.theme, random);
    if (sample.kind == u"word") {
        sample.truth = tune::wordLabel(random);
        return tune::roomyLabel(sample.truth, font, palette.background, palette.text, random);
    }
    TextContent content;
    if (sample.kind == u"language") {
        for (const QString &line : tune::languageLines(sample.language, random))
            content.rows.append(QStringList { line });
    } else {
        content = makeTextContent(sample.kind, random);
    }
    sample.truth = content.truth();
    return render(content, font, palette, random.bounded(4) == 0, random);
}

} // namespace

QStringList ensureCorpusFonts()
{
    QStringList missing;
    for (const QString &family : fontFamilies() + QStringList { u"Liberation Mono"_s }) {
        if (QFontDatabase::hasFamily(family))
            continue;
        QProcess match;
        match.start(u"fc-match"_s, { u"-f"_s, u"%{file}"_s, family });
        match.waitForFinished(5000);
        const QString file = QString::fromLocal8Bit(match.readAllStandardOutput()).trimmed();
        if (file.isEmpty() || QFontDatabase::addApplicationFont(file) < 0 || !QFontDatabase::hasFamily(family))
            missing.append(family);
    }
    return missing;
}

QList<TextSample> generateTextCorpus(const QString &directory, bool quick)
{
    QDir root(directory);
    root.mkpath(u"tune"_s);
    QRandomGenerator random(textSeed);
    QList<TextSample> samples;
    int combination = 0;
    for (const KindPlan &entry : kindPlan) {
        const int count = quick ? entry.quick : entry.full;
        for (int index = 0; index < count; ++index) {
            TextSample sample;
            sample.id = u"t%1"_s.arg(samples.size(), 4, 10, QChar(u'0'));
            sample.corpus = u"tune"_s;
            sample.kind = entry.kind.toString();
            sample.language = entry.kind == u"language" ? (index % 2 == 0 ? u"de"_s : u"fr"_s) : u"en"_s;
            // 8 sizes, 3 themes and 5 fonts: coprime counts, so every 120 images hold each combination once.
            sample.pixelSize = pixelSizes.at(std::size_t(combination) % pixelSizes.size());
            sample.theme = themes().at(combination % themes().size());
            sample.font = fontFamilies().at(combination % fontFamilies().size());
            ++combination;
            QImage image = drawSample(sample, index, random);
            sample.jpeg = entry.kind != u"page4k" && random.bounded(100) < 12;
            if (sample.jpeg) {
                sample.path = root.filePath(u"tune/"_s + sample.id + u".jpg"_s);
                image.save(sample.path, "JPEG", between(random, 70, 85));
            } else {
                sample.path = root.filePath(u"tune/"_s + sample.id + u".png"_s);
                image.save(sample.path, "PNG");
            }
            samples.append(sample);
        }
    }
    return samples;
}

} // namespace kavri
