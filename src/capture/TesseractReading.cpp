// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TesseractReading.h"

#include <algorithm>
#include <memory>

#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/resultiterator.h>

using namespace Qt::StringLiterals;

namespace kavri::TesseractReading {

namespace {

using RecognizedText::Line;
using RecognizedText::Word;

// Below this, Tesseract has a second candidate for the character.
constexpr float sureCharacter = 90;

QRect boxOf(const tesseract::ResultIterator &it, tesseract::PageIteratorLevel level)
{
    int left = 0, top = 0, right = 0, bottom = 0;
    if (!it.BoundingBox(level, &left, &top, &right, &bottom))
        return {};
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void addCharacterConfidences(const tesseract::ResultIterator &it, Word &word)
{
    int count = 0;
    tesseract::ResultIterator character(it);
    do {
        const float confidence = character.Confidence(tesseract::RIL_SYMBOL);
        word.characterConfidence += confidence;
        word.doubtfulCharacters += confidence < sureCharacter ? 1 : 0;
        ++count;
    } while (!character.IsAtFinalElement(tesseract::RIL_WORD, tesseract::RIL_SYMBOL)
        && character.Next(tesseract::RIL_SYMBOL));
    word.characterConfidence /= float(std::max(1, count));
}

} // namespace

Outcome<bool> recognize(tesseract::TessBaseAPI &api, const QImage &image, const QDeadlineTimer &deadline)
{
    api.SetImage(image.constBits(), image.width(), image.height(), 1, int(image.bytesPerLine()));
    tesseract::ETEXT_DESC monitor;
    monitor.set_deadline_msecs(int(std::clamp<qint64>(deadline.remainingTime(), 1, 1 << 30)));
    const int status = api.Recognize(&monitor);
    if (monitor.deadline_exceeded() || deadline.hasExpired())
        return KavriError::recognitionFailed(u"text recognition ran far longer than the image's size explains"_s);
    if (status != 0)
        return KavriError::recognitionFailed(u"Tesseract could not read the image"_s);
    return true;
}

QList<Line> lines(tesseract::TessBaseAPI &api, QPoint offset)
{
    QList<Line> result;
    const std::unique_ptr<tesseract::ResultIterator> it(api.GetIterator());
    if (!it)
        return result;
    do {
        if (result.isEmpty() || it->IsAtBeginningOf(tesseract::RIL_TEXTLINE)) {
            result.append(Line { {}, boxOf(*it, tesseract::RIL_TEXTLINE).translated(offset) });
            int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            if (it->Baseline(tesseract::RIL_TEXTLINE, &x1, &y1, &x2, &y2))
                result.last().baseline = (y1 + y2) / 2 + offset.y();
        }
        const std::unique_ptr<char[]> text(it->GetUTF8Text(tesseract::RIL_WORD));
        if (!text)
            continue;
        Word word { QString::fromUtf8(text.get()).trimmed(), it->Confidence(tesseract::RIL_WORD),
            it->WordIsFromDictionary(), 0, 0, boxOf(*it, tesseract::RIL_WORD).translated(offset) };
        if (word.text.isEmpty())
            continue;
        addCharacterConfidences(*it, word);
        result.last().words.append(word);
    } while (it->Next(tesseract::RIL_WORD));
    result.removeIf([](const Line &line) { return line.words.isEmpty(); });
    return result;
}

} // namespace kavri::TesseractReading
