// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecognizedText.h"

#include <algorithm>
#include <vector>

#include <QStringList>

namespace kavri::RecognizedText {

namespace {

// Tesseract is sure of a word at this confidence; noise and photos hardly ever reach it.
constexpr float sureWord = 60;
// A long word it is sure of character by character: this many letters or digits, each but one
// at least sure, their mean at least this high.
constexpr qsizetype longWord = 6;
constexpr float sureCharacters = 97;
// Text is there when at least this share of the letters read is in sure words.
constexpr double sureShare = 0.15;
constexpr qsizetype tellingLength = 4;
// Shapes in a photo read as a short word ("or", "ee") more easily than as a long one: alone, a
// short word shows text only when Tesseract is surer of it.
constexpr float sureShortWord = 80;
// Marks read at least this surely continue the text they stand beside.
constexpr float confidentMarks = 50;

qsizetype lettersAndDigits(const QString &text)
{
    return std::count_if(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

// A word that shows there is text: one of the language's, a number, or long enough not to be a
// few icons read as letters ("O", "Ooo", "=X").
bool isTelling(const Word &word)
{
    const qsizetype count = lettersAndDigits(word.text);
    const qsizetype digits = std::count_if(word.text.begin(), word.text.end(), [](QChar c) { return c.isDigit(); });
    return word.dictionary || (digits > 0 && digits * 2 >= count) || count >= tellingLength;
}

} // namespace

float meanConfidence(const Line &line)
{
    float sum = 0;
    for (const Word &word : line.words)
        sum += word.confidence;
    return line.words.isEmpty() ? 0 : sum / float(line.words.size());
}

bool hasLetterOrDigit(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

bool isSure(const Word &word)
{
    const qsizetype count = lettersAndDigits(word.text);
    if (count == 0)
        return false;
    if (word.confidence >= sureWord)
        return true;
    // A word's confidence follows its least certain character: a long link or identifier with
    // one doubtful character counts by its characters.
    return count >= longWord && word.doubtfulCharacters <= 1 && word.characterConfidence >= sureCharacters;
}

bool holdsText(const QList<Line> &lines)
{
    qsizetype all = 0, sure = 0;
    bool evidence = false;
    for (const Line &line : lines) {
        for (const Word &word : line.words) {
            const qsizetype count = lettersAndDigits(word.text);
            all += count;
            if (isSure(word)) {
                sure += count;
                evidence = evidence
                    || (count >= 2 && isTelling(word) && (count >= tellingLength || word.confidence >= sureShortWord));
            }
        }
    }
    return evidence && double(sure) >= sureShare * double(all);
}

QString believedText(const QList<Line> &lines)
{
    if (!holdsText(lines))
        return {};
    // Lines that belong to the text: those with a word Tesseract is sure of, and, spreading from
    // them, lines of marks it reads with confidence (the braces closing a block of code).
    std::vector<bool> attached(size_t(lines.size()), false);
    for (qsizetype i = 0; i < lines.size(); ++i)
        attached[size_t(i)] = std::any_of(lines[i].words.begin(), lines[i].words.end(), isSure);
    const auto isAttached = [&](qsizetype i) { return i >= 0 && i < lines.size() && attached[size_t(i)]; };
    for (bool spread = true; spread;) {
        spread = false;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (!attached[size_t(i)] && meanConfidence(lines[i]) >= confidentMarks
                && (isAttached(i - 1) || isAttached(i + 1))) {
                attached[size_t(i)] = true;
                spread = true;
            }
        }
    }
    QStringList texts;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        // A doubtful word beside the text is part of it (a brace, a bullet, a word in a small
        // font); away from it, it is a guess at speckle or an icon.
        const bool besideText = isAttached(i - 1) || isAttached(i) || isAttached(i + 1);
        QStringList kept;
        for (const Word &word : lines[i].words) {
            if (besideText || isSure(word))
                kept.append(word.text);
        }
        if (!kept.isEmpty())
            texts.append(kept.join(u' '));
    }
    return texts.join(u'\n');
}

} // namespace kavri::RecognizedText
