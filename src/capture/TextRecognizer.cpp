// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextRecognizer.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <optional>

#include <QDeadlineTimer>
#include <QSemaphore>
#include <QThreadPool>

#include <tesseract/baseapi.h>

#include "ImagePreparation.h"
#include "PageReader.h"
#include "RecognizedText.h"
#include "TesseractEngines.h"

using namespace Qt::StringLiterals;

namespace kavri::TextRecognizer {

namespace {

// Tall selections are read in horizontal bands, on several threads at once, each with its own
// warm engine. Tesseract's time on one block grows faster than its height, so a band holds a
// bounded number of lines; it ends on a row with no ink, so no line is cut.
constexpr int linesPerBand = 16;
constexpr int minimumBandHeight = 160;
// From this size on, a capture is a page (a whole screen, a document) rather than a selection.
constexpr qint64 pagePixels = 2'000'000;

bool isBlankRow(const QImage &gray, int y)
{
    const uchar *row = gray.constScanLine(y);
    return std::all_of(row, row + gray.width(), [](uchar level) { return level > 200; });
}

QList<QImage> splitIntoBands(const QImage &gray, int lineHeight)
{
    const int wanted = std::max(minimumBandHeight, linesPerBand * std::max(lineHeight, 8) * 3 / 2);
    int count = gray.height() / wanted;
    if (gray.height() >= 2 * minimumBandHeight)
        count = std::max(count, std::min(QThread::idealThreadCount(), gray.height() / minimumBandHeight));
    if (count < 2)
        return { gray };
    QList<QImage> bands;
    int top = 0;
    for (int band = 1; band < count; ++band) {
        // The blank row nearest to the even split, looking a band's quarter either way.
        const int nominal = gray.height() * band / count;
        const int reach = gray.height() / count / 4;
        int cut = -1;
        for (int offset = 0; offset <= reach && cut < 0; ++offset) {
            if (isBlankRow(gray, nominal + offset))
                cut = nominal + offset;
            else if (isBlankRow(gray, nominal - offset))
                cut = nominal - offset;
        }
        if (cut < 0 || cut - top < minimumBandHeight / 2)
            continue;
        bands.append(gray.copy(0, top, gray.width(), cut - top));
        top = cut;
    }
    bands.append(gray.copy(0, top, gray.width(), gray.height() - top));
    return bands;
}

using Lines = QList<RecognizedText::Line>;

// \a area of \a gray on white, with \a margin pixels of white around it.
QImage withMargin(const QImage &gray, const QRect &area, int margin)
{
    if (area == gray.rect())
        return gray;
    const QRect inside = area.intersected(gray.rect());
    QImage result(inside.width() + 2 * margin, inside.height() + 2 * margin, QImage::Format_Grayscale8);
    result.fill(255);
    for (int y = 0; y < inside.height(); ++y)
        std::copy_n(
            gray.constScanLine(inside.top() + y) + inside.left(), inside.width(), result.scanLine(margin + y) + margin);
    return result;
}

// Generous, and growing with the image: a deadline only stops a recognition that has run away,
// never a large one that works. It covers the preparation too.
QDeadlineTimer deadlineFor(const QImage &gray)
{
    const qint64 megapixels = qint64(gray.width()) * gray.height() / 1'000'000;
    return QDeadlineTimer(20'000 + 10'000 * megapixels);
}

// A page is read block by block in Tesseract's reading order, columns one after another; a
// selection is one block of lines, as a table or a menu should be.
Outcome<QList<QRect>> blocksOf(const ImagePreparation::TextImage &prepared, bool page, const QStringList &languages,
    const QStringList &customWords)
{
    if (!page)
        return QList<QRect> { prepared.gray.rect() };
    const Outcome<tesseract::TessBaseAPI *> api = TesseractEngines::forThisThread(languages, customWords);
    if (const auto *error = std::get_if<KavriError>(&api))
        return *error;
    return PageReader::textBlocks(*std::get<tesseract::TessBaseAPI *>(api), prepared.gray);
}

// Runs on the pool's threads too, where an exception would end the process: it is caught here.
Outcome<Lines> readBand(const QImage &band, int lineHeight, const QStringList &languages,
    const QStringList &customWords, const QDeadlineTimer &deadline)
{
    TesseractEngines::limitOpenMp();
    try {
        const Outcome<tesseract::TessBaseAPI *> api = TesseractEngines::forThisThread(languages, customWords);
        if (const auto *error = std::get_if<KavriError>(&api))
            return *error;
        tesseract::TessBaseAPI &engine = *std::get<tesseract::TessBaseAPI *>(api);
        Outcome<Lines> lines = PageReader::read(engine, band, lineHeight, deadline);
        // The engine stays warm, but not holding on to the band's pictures and page.
        engine.Clear();
        return lines;
    } catch (const std::exception &error) {
        return KavriError::recognitionFailed(QString::fromUtf8(error.what()));
    }
}

// Reads every band, on this thread and on the pool's idle threads; this thread first does
// \a first, if given, while the helpers have begun. Only helpers that start at once are waited
// for: this thread may itself be one of the pool's, and a pool full of threads waiting on queued
// work would never finish it.
QList<Outcome<Lines>> readAll(const QList<QImage> &bands, const std::function<Outcome<Lines>(const QImage &)> &read,
    const std::function<void()> &first = {})
{
    QList<Outcome<Lines>> results(bands.size(), Lines {});
    Outcome<Lines> *slots = results.data(); // each thread writes its own; no detaching
    std::atomic<qsizetype> next = 0;
    const auto work = [&] {
        for (qsizetype i = next++; i < bands.size(); i = next++)
            slots[i] = read(bands[i]);
    };
    QSemaphore finished;
    int helpers = 0;
    QThreadPool *pool = TesseractEngines::threadPool();
    const int wanted = int(bands.size()) - (first ? 0 : 1);
    while (helpers < wanted && pool->tryStart([&] {
        work();
        finished.release();
    }))
        ++helpers;
    // The helpers use this frame: it must not unwind before they are done.
    std::exception_ptr failure;
    try {
        if (first)
            first();
    } catch (...) {
        failure = std::current_exception();
    }
    work();
    finished.acquire(helpers);
    if (failure)
        std::rethrow_exception(failure);
    return results;
}

// The bands' lines in order, as the text believed; the first failure if any band failed.
Outcome<QString> joined(const QList<Outcome<Lines>> &results)
{
    Lines lines;
    for (const Outcome<Lines> &result : results) {
        if (const auto *error = std::get_if<KavriError>(&result))
            return *error;
        lines += std::get<Lines>(result);
    }
    return RecognizedText::believedText(lines);
}

Outcome<QString> read(const QImage &gray, const LanguageChooser::Plan &plan, const QStringList &customWords)
{
    if (gray.isNull() || gray.width() == 0 || gray.height() == 0)
        return KavriError::recognitionFailed(u"the image is empty"_s);
    const QDeadlineTimer deadline = deadlineFor(gray);
    const ImagePreparation::TextImage prepared = ImagePreparation::forText(gray);
    if (prepared.blank)
        return QString();
    const bool page = qint64(gray.width()) * gray.height() >= pagePixels;
    const Outcome<QList<QRect>> blocks = blocksOf(prepared, page, plan.primary, customWords);
    if (const auto *error = std::get_if<KavriError>(&blocks))
        return *error;
    QList<QImage> bands;
    for (const QRect &block : std::get<QList<QRect>>(blocks))
        bands += splitIntoBands(
            withMargin(prepared.gray, block, std::max(8, prepared.lineHeight / 2)), prepared.lineHeight);
    const auto readWith = [&](const QStringList &languages) {
        return [&, languages](const QImage &band) {
            return readBand(band, prepared.lineHeight, languages, customWords, deadline);
        };
    };

    // The language is settled on the first band, read here with this thread's warm engines,
    // while the other threads read the rest in the likeliest language; if another one wins, the
    // rest is read again in it.
    if (plan.alternatives.isEmpty())
        return joined(readAll(bands, readWith(plan.primary)));
    std::optional<Outcome<LanguageChooser::Choice>> choice;
    const auto chooseOnFirst = [&] {
        choice = LanguageChooser::choose(
            plan, customWords, [&](const QStringList &candidate) { return readWith(candidate)(bands.first()); });
    };
    const QList<QImage> rest = bands.mid(1);
    QList<Outcome<Lines>> restLines;
    if (rest.isEmpty())
        chooseOnFirst();
    else
        restLines = readAll(rest, readWith(plan.primary), chooseOnFirst);
    if (const auto *error = std::get_if<KavriError>(&*choice))
        return *error;
    const auto &chosen = std::get<LanguageChooser::Choice>(*choice);
    if (chosen.languages != plan.primary && !rest.isEmpty())
        restLines = readAll(rest, readWith(chosen.languages));
    return joined(QList<Outcome<Lines>> { chosen.lines } + restLines);
}

} // namespace

Outcome<QString> recognize(const QImage &gray, const LanguageChooser::Plan &plan, const QStringList &customWords)
{
    // Tesseract and the preparation report exhaustion and failures as exceptions.
    try {
        return read(gray, plan, customWords);
    } catch (const std::exception &error) {
        return KavriError::recognitionFailed(QString::fromUtf8(error.what()));
    }
}

} // namespace kavri::TextRecognizer
