// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DoubtfulLines.h"

#include <algorithm>
#include <optional>
#include <vector>

#include <tesseract/baseapi.h>

#include "InkComponents.h"
#include "MarkRow.h"
#include "TesseractReading.h"

namespace kavri::DoubtfulLines {

namespace {

using RecognizedText::Line;
using RecognizedText::meanConfidence;
using RecognizedText::Word;

constexpr qsizetype maximumRereads = 40;
// A line whose words Tesseract trusts less than this on average is read again.
constexpr float doubtfulLine = 50;
// Marks read on ink Tesseract passed over must be at least this sure.
constexpr float sureMarks = 60;
// A word shown beside a doubtful line for its size: one Tesseract is very sure of.
constexpr float referenceConfidence = 85;

bool hasWords(const Line &line)
{
    return std::any_of(line.words.begin(), line.words.end(),
        [](const Word &word) { return RecognizedText::hasLetterOrDigit(word.text); });
}

bool isDoubtful(const Line &line)
{
    return !hasWords(line) || meanConfidence(line) < doubtfulLine;
}

// The height of the lines Tesseract is sure of, or \a fallback.
int typicalHeight(const QList<Line> &lines, int fallback)
{
    std::vector<int> heights;
    for (const Line &line : lines) {
        if (!isDoubtful(line))
            heights.push_back(line.box.height());
    }
    if (heights.empty())
        return fallback;
    std::nth_element(heights.begin(), heights.begin() + long(heights.size() / 2), heights.end());
    return heights[heights.size() / 2];
}

void mergeNeighbours(QList<QRect> &pieces, int height)
{
    // Side by side within half a line, or one above the other within a third of a line (the
    // bars of "="), and never taller than a line and a half.
    const auto belong = [&](const QRect &a, const QRect &b) {
        const int across = std::max(a.left(), b.left()) - std::min(a.right(), b.right());
        const int down = std::max(a.top(), b.top()) - std::min(a.bottom(), b.bottom());
        const int tall = std::max(a.bottom(), b.bottom()) - std::min(a.top(), b.top()) + 1;
        return tall <= height * 3 / 2 && ((down <= 0 && across <= height / 2) || (across <= 0 && down <= height / 3));
    };
    for (bool merged = true; merged;) {
        merged = false;
        for (qsizetype i = 0; i < pieces.size() && !merged; ++i)
            for (qsizetype j = i + 1; j < pieces.size() && !merged; ++j)
                if (belong(pieces[i], pieces[j])) {
                    pieces[i] = pieces[i].united(pieces[j]);
                    pieces.removeAt(j);
                    merged = true;
                }
    }
}

// The ink no word stands on, gathered into rows; none when there is too much of it to be a few
// marks beside the text.
QList<QRect> missedInk(const QImage &image, const QList<Line> &lines, int height)
{
    QList<QRect> words;
    for (const Line &line : lines)
        for (const Word &word : line.words)
            words.append(word.box);
    QList<QRect> missed;
    for (const InkComponents::Component &component : InkComponents::find(image, InkComponents::inkLevel)) {
        const QRect &box = component.box;
        const bool covered = std::any_of(words.begin(), words.end(), [&](const QRect &word) {
            const QRect common = word.intersected(box);
            return qint64(common.width()) * common.height() * 2 >= qint64(box.width()) * box.height();
        });
        if (!covered && component.pixels >= 2)
            missed.append(box);
        if (missed.size() > maximumRereads * 8)
            return {};
    }
    mergeNeighbours(missed, height);
    missed.removeIf([](const QRect &area) { return area.height() < 2 || area.width() < 4; });
    return missed;
}

// A word Tesseract is sure of, with the line it stands on: shown to Tesseract beside a line of
// marks, it tells the size and the baseline that the marks alone do not.
struct Reference
{
    QRect box;
    int baseline;
    QString text;
};

std::optional<Reference> referenceFor(const QList<Line> &lines, qsizetype index)
{
    for (qsizetype distance = 1; distance < lines.size(); ++distance) {
        for (const qsizetype other : { index - distance, index + distance }) {
            if (other < 0 || other >= lines.size() || lines[other].baseline < 0 || isDoubtful(lines[other]))
                continue;
            for (const Word &word : lines[other].words) {
                const bool letters = word.text.size() >= 2
                    && std::all_of(word.text.begin(), word.text.end(), [](QChar c) { return c.isLetter(); });
                if (letters && word.confidence >= referenceConfidence)
                    return Reference { word.box, lines[other].baseline, word.text };
            }
        }
    }
    return std::nullopt;
}

// Copies \a from of \a source to \a to of \a target.
void paste(QImage &target, const QImage &source, const QRect &from, QPoint to)
{
    const QRect inside = from.intersected(source.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const int row = to.y() + y - from.top();
        if (row < 0 || row >= target.height())
            continue;
        const int column = to.x() + inside.left() - from.left();
        std::copy_n(source.constScanLine(y) + inside.left(), std::min(inside.width(), target.width() - column),
            target.scanLine(row) + column);
    }
}

// The words Tesseract reads on \a image as one raw line, boxes moved by \a offset.
Outcome<QList<Word>> readLine(
    tesseract::TessBaseAPI &api, const QImage &image, QPoint offset, const QDeadlineTimer &deadline)
{
    api.SetPageSegMode(tesseract::PSM_RAW_LINE);
    const Outcome<bool> done = TesseractReading::recognize(api, image, deadline);
    if (const auto *error = std::get_if<KavriError>(&done))
        return *error;
    QList<Word> words;
    for (const Line &part : TesseractReading::lines(api, offset))
        words += part.words;
    return words;
}

// The line in \a area read again after a word Tesseract is sure of, baselines aligned; none when
// Tesseract does not read that word back as it did before.
Outcome<std::optional<QList<Word>>> readInContext(tesseract::TessBaseAPI &api, const QImage &image, const QRect &area,
    int baseline, const Reference &reference, const QDeadlineTimer &deadline)
{
    const int margin = 10, gap = reference.box.height();
    const int above = std::max(reference.baseline - reference.box.top(), baseline - area.top());
    const int below = std::max(reference.box.bottom() - reference.baseline, area.bottom() - baseline);
    QImage line(reference.box.width() + gap + area.width() + 2 * margin, above + below + 1 + 2 * margin,
        QImage::Format_Grayscale8);
    line.fill(255);
    const int baselineRow = margin + above;
    paste(line, image, reference.box, { margin, baselineRow - (reference.baseline - reference.box.top()) });
    const QPoint at(margin + reference.box.width() + gap, baselineRow - (baseline - area.top()));
    paste(line, image, area, at);
    const Outcome<QList<Word>> words = readLine(api, line, area.topLeft() - at, deadline);
    if (const auto *error = std::get_if<KavriError>(&words))
        return *error;
    QList<Word> read = std::get<QList<Word>>(words);
    // The reference may run into the first word read: "int};".
    if (read.isEmpty() || !read.first().text.startsWith(reference.text))
        return std::optional<QList<Word>>();
    read.first().text.remove(0, reference.text.size());
    if (read.first().text.isEmpty())
        read.removeFirst();
    return std::optional<QList<Word>>(read);
}

// The line in \a area read on its own, cut to a text line's height around it and cleared of its
// neighbours' ascenders and descenders, which would read as marks.
Outcome<QList<Word>> readAlone(
    tesseract::TessBaseAPI &api, const QImage &image, const QRect &area, int height, const QDeadlineTimer &deadline)
{
    const int half = std::max(area.height(), height) / 2 + height / 4;
    const QRect cut(area.left() - height / 2, area.center().y() - half, area.width() + height, 2 * half + 1);
    const int margin = 10;
    QImage line(cut.width() + 2 * margin, cut.height() + 2 * margin, QImage::Format_Grayscale8);
    line.fill(255);
    paste(line, image, area, area.topLeft() - cut.topLeft() + QPoint(margin, margin));
    return readLine(api, line, cut.topLeft() - QPoint(margin, margin), deadline);
}

Outcome<Line> reread(tesseract::TessBaseAPI &api, const QImage &image, const QList<Line> &lines, qsizetype index,
    const QRect &area, int height, const QDeadlineTimer &deadline)
{
    Line result { {}, area, index >= 0 ? lines[index].baseline : -1 };
    if (const auto reference = referenceFor(lines, index); reference && result.baseline >= 0) {
        const auto words = readInContext(api, image, area, result.baseline, *reference, deadline);
        if (const auto *error = std::get_if<KavriError>(&words))
            return *error;
        if (const auto &read = std::get<std::optional<QList<Word>>>(words); read && !read->isEmpty()) {
            result.words = *read;
            return result;
        }
    }
    const Outcome<QList<Word>> alone = readAlone(api, image, area, height, deadline);
    if (const auto *error = std::get_if<KavriError>(&alone))
        return *error;
    result.words = std::get<QList<Word>>(alone);
    return result;
}

void insertInOrder(QList<Line> &lines, const Line &line)
{
    const auto at
        = std::find_if(lines.begin(), lines.end(), [&](const Line &other) { return other.box.top() > line.box.top(); });
    lines.insert(at, line);
}

} // namespace

Outcome<QList<Line>> readAgain(
    tesseract::TessBaseAPI &api, const QImage &image, QList<Line> lines, int lineHeight, const QDeadlineTimer &deadline)
{
    const int height = typicalHeight(lines, lineHeight);
    QList<std::pair<QRect, qsizetype>> again; // the area, and the line it replaces or -1
    for (const QRect &area : missedInk(image, lines, height))
        again.append({ area, -1 });
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (isDoubtful(lines[i]))
            again.append({ lines[i].box, i });
    }
    if (again.size() > std::max<qsizetype>(4, lines.size() / 2) || again.size() > maximumRereads)
        return lines;

    QList<Line> added;
    for (const auto &[area, index] : std::as_const(again)) {
        std::optional<Line> better;
        if (const auto marks = MarkRow::read(image, area, height)) {
            better = Line { { Word { *marks, 90, false, 90, 0, area } }, area };
        } else {
            const Outcome<Line> second = reread(api, image, lines, index, area, height, deadline);
            if (const auto *error = std::get_if<KavriError>(&second))
                return *error;
            const Line &line = std::get<Line>(second);
            // On ink it passed over, Tesseract is asked for marks only: the edge of an
            // underscore or an icon would read as letters.
            const bool accepted = index < 0 ? !hasWords(line) && meanConfidence(line) >= sureMarks
                                            : meanConfidence(line) > meanConfidence(lines[index]);
            if (!line.words.isEmpty() && accepted)
                better = line;
        }
        if (!better)
            continue;
        if (index < 0)
            added.append(*better);
        else
            lines[index].words = better->words;
    }
    for (const Line &line : std::as_const(added))
        insertInOrder(lines, line);
    return lines;
}

} // namespace kavri::DoubtfulLines
