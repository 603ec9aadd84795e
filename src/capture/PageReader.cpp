// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageReader.h"

#include <memory>

#include <tesseract/baseapi.h>

#include "DoubtfulLines.h"
#include "MarkRow.h"
#include "TesseractReading.h"

using namespace Qt::StringLiterals;

namespace kavri::PageReader {

namespace {

using RecognizedText::Line;

// Tesseract's English model has no bullet: it reads one as "*", "«" or "e". Where the image shows
// a filled round dot at the start of a line, that is what the line starts with.
void restoreBullets(QList<Line> &lines, const QImage &image, int lineHeight)
{
    for (Line &line : lines) {
        RecognizedText::Word &first = line.words.first();
        if (line.words.size() < 2 || first.text.size() > 1 || first.text == u"\u2022")
            continue;
        if (MarkRow::readOne(image, first.box, lineHeight) == QChar(u'\u2022'))
            first.text = u"\u2022"_s;
    }
}

} // namespace

Outcome<QList<Line>> read(
    tesseract::TessBaseAPI &api, const QImage &image, int lineHeight, const QDeadlineTimer &deadline)
{
    // One uniform block suits what users select (a line, a paragraph, a menu, a small table);
    // Tesseract's automatic layout splits tables and menus into columns.
    api.SetPageSegMode(tesseract::PSM_SINGLE_BLOCK);
    const Outcome<bool> done = TesseractReading::recognize(api, image, deadline);
    if (const auto *error = std::get_if<KavriError>(&done))
        return *error;
    QList<Line> lines = TesseractReading::lines(api);
    restoreBullets(lines, image, lineHeight);
    return DoubtfulLines::readAgain(api, image, std::move(lines), lineHeight, deadline);
}

QList<QRect> textBlocks(tesseract::TessBaseAPI &api, const QImage &image)
{
    api.SetPageSegMode(tesseract::PSM_AUTO_ONLY);
    api.SetImage(image.constBits(), image.width(), image.height(), 1, int(image.bytesPerLine()));
    QList<QRect> blocks;
    const std::unique_ptr<tesseract::PageIterator> it(api.AnalyseLayout());
    if (it) {
        do {
            if (!PTIsTextType(it->BlockType()))
                continue;
            int left = 0, top = 0, right = 0, bottom = 0;
            if (it->BoundingBox(tesseract::RIL_BLOCK, &left, &top, &right, &bottom))
                blocks.append(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
        } while (it->Next(tesseract::RIL_BLOCK));
    }
    api.Clear();
    if (blocks.isEmpty())
        blocks.append(image.rect());
    return blocks;
}

} // namespace kavri::PageReader
