// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CodeCorpus.h"

#include <array>

#include <QDir>
#include <QRandomGenerator>

#include "CodePayloads.h"
#include "CodeSymbols.h"
#include "WordLists.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

using symbols::Symbology;
using words::between;

constexpr quint32 codeSeed = 0x4b617643; // fixed: the corpus must not change between runs

struct Plan
{
    QString variant;
    int fullCount;
    int quickCount;
};

// About 300 images in all; the quick run keeps about a tenth, each variant at least once.
const QList<Plan> &plans()
{
    static const QList<Plan> list = {
        { u"plain"_s, 96, 12 },
        { u"inverted"_s, 40, 4 },
        { u"rotated"_s, 40, 4 },
        { u"busy"_s, 40, 4 },
        { u"two"_s, 24, 4 },
        { u"two mixed"_s, 20, 2 },
        { u"linear"_s, 20, 2 },
        { u"linear + 2D"_s, 20, 2 },
    };
    return list;
}

struct Colours
{
    QColor ink;
    QColor paper;
};

Colours darkOnLight(QRandomGenerator &random)
{
    static const std::array<Colours, 4> list
        = { { { QColor(0, 0, 0), QColor(0xffffff) }, { QColor(0x1a1a1a), QColor(0xf8f8f8) },
            { QColor(0x202124), QColor(0xfffdf5) }, { QColor(0x0d2b45), QColor(0xffffff) } } };
    return list.at(std::size_t(random.bounded(int(list.size()))));
}

Colours lightOnDark(QRandomGenerator &random)
{
    static const std::array<Colours, 4> list
        = { { { QColor(0xffffff), QColor(0, 0, 0) }, { QColor(0xf0f0f0), QColor(0x1e1e1e) },
            { QColor(0xffffff), QColor(0x0d47a1) }, { QColor(0xe0f7fa), QColor(0x263238) } } };
    return list.at(std::size_t(random.bounded(int(list.size()))));
}

// A symbol of \a symbology with a fresh payload of \a kind; payloads the writer refuses are replaced.
QImage symbolWithPayload(
    Symbology symbology, int kind, int module, const Colours &colours, QRandomGenerator &random, QString &payload)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        payload = makeCodePayload(kind + attempt, random);
        const QImage image = symbols::matrixSymbol(symbology, payload, module, colours.ink, colours.paper);
        if (!image.isNull())
            return image;
    }
    qFatal("the code writer refused every payload");
}

// Draws the image of one sample into \a image and returns what a reader must find on it.
CodeSample makeSample(const QString &variant, int index, QRandomGenerator &random, QImage &image)
{
    CodeSample sample;
    sample.variant = variant;
    const auto symbology = Symbology(index % symbols::symbologyCount);
    // Module sizes 1..6 (2..6 when rotated: a turned one-pixel module is lost to any reader) and every
    // payload kind reach each symbology.
    const bool turned = variant == u"rotated";
    sample.moduleSize = (turned ? 2 : 1) + (index + index / symbols::symbologyCount) % (turned ? 5 : 6);
    const int kind = index * 7 + int(variant.size());
    sample.symbology = symbols::nameOf(symbology);
    const int module = sample.moduleSize;

    QString payload;
    if (variant == u"plain" || variant == u"busy" || turned) {
        const Colours colours = darkOnLight(random);
        image = symbolWithPayload(symbology, kind, module, colours, random, payload);
        sample.expected = { payload };
        if (variant == u"busy") {
            image = symbols::inBusyScene(image, random);
            return sample;
        }
        if (turned) {
            const double degrees = (random.bounded(2) == 0 ? -1 : 1) * (3.0 + random.bounded(7.0));
            image = symbols::rotated(image, degrees, colours.paper);
        }
        image = symbols::withMargin(image, colours.paper, random);
    } else if (variant == u"inverted") {
        const Colours colours = lightOnDark(random);
        image = symbols::withMargin(
            symbolWithPayload(symbology, kind, module, colours, random, payload), colours.paper, random);
        sample.expected = { payload };
    } else if (variant == u"two" || variant == u"two mixed") {
        const Colours colours = darkOnLight(random);
        const auto second = variant == u"two"
            ? symbology
            : Symbology((index + 1 + index / symbols::symbologyCount % 3) % symbols::symbologyCount);
        QString otherPayload;
        const QImage first = symbolWithPayload(symbology, kind, module, colours, random, payload);
        QImage other = symbolWithPayload(second, kind + 4, module, colours, random, otherPayload);
        while (otherPayload == payload)
            other = symbolWithPayload(second, kind + 5, module, colours, random, otherPayload);
        const bool horizontal = random.bounded(2) == 0;
        image = symbols::arrange({ first, other }, horizontal, between(random, 10, 40), colours.paper);
        image = symbols::withMargin(image, colours.paper, random);
        sample.expected = { payload, otherPayload };
        if (variant == u"two mixed")
            sample.symbology = u"mixed"_s;
    } else {
        const Colours colours = darkOnLight(random);
        const bool ean13 = index % 2 == 1;
        const QString content = ean13 ? makeEan13Digits(random) : makeCode128Payload(random);
        sample.linearPayload = ean13 ? ean13WithCheckDigit(content) : content;
        const QImage linear = symbols::linearSymbol(ean13, content, between(random, 2, 3), colours.ink, colours.paper);
        if (variant == u"linear") {
            sample.symbology = u"none"_s;
            sample.moduleSize = 0;
            image = symbols::withMargin(linear, colours.paper, random);
        } else {
            const QImage matrix = symbolWithPayload(symbology, kind, module, colours, random, payload);
            const bool horizontal = random.bounded(2) == 0;
            image = symbols::arrange({ linear, matrix }, horizontal, between(random, 16, 48), colours.paper);
            image = symbols::withMargin(image, colours.paper, random);
            sample.expected = { payload };
        }
    }
    return sample;
}

} // namespace

QList<CodeSample> generateCodeCorpus(const QString &directory, bool quick)
{
    QDir root(directory);
    root.mkpath(u"codes"_s);
    QRandomGenerator random(codeSeed);
    QList<CodeSample> samples;
    for (const Plan &plan : plans()) {
        const int count = quick ? plan.quickCount : plan.fullCount;
        for (int index = 0; index < count; ++index) {
            QImage image;
            CodeSample sample = makeSample(plan.variant, index, random, image);
            sample.id = u"c%1"_s.arg(int(samples.size()), 4, 10, QChar(u'0'));
            sample.path = root.filePath(u"codes/"_s + sample.id + u".png"_s);
            image.save(sample.path, "PNG");
            samples.append(sample);
        }
    }
    return samples;
}

} // namespace kavri
