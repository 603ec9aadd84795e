// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <QString>

// What Tesseract read on one image, word by word, and which of it Kavri believes.
namespace kavri::RecognizedText {

struct Word
{
    QString text;
    float confidence = 0; // Tesseract's for the word, 0..100: its least certain character rules
    bool dictionary = false; // a word of the language's dictionary or the custom words
    float characterConfidence = 0; // the mean of its characters' confidences
    int doubtfulCharacters = 0; // characters whose confidence is under 90
    QRect box; // in the recognised image's pixels
};

struct Line
{
    QList<Word> words;
    QRect box;
    int baseline = -1; // the row its letters stand on, in the image's pixels; -1 when unknown
};

// The mean of the word confidences of \a line; 0 for a line without words.
float meanConfidence(const Line &line);

// Whether \a text has a letter or a digit (a word, not a rule or a bullet).
bool hasLetterOrDigit(const QString &text);

// Whether Tesseract is sure of \a word: of its word confidence, or for a long word (a link, an
// identifier) of every character but one.
bool isSure(const Word &word);

// Whether \a lines show text at all: a word of two characters or more Tesseract is sure of, among
// enough sure words (noise and photos read as many words, few of them sure).
bool holdsText(const QList<Line> &lines);

// The text of \a lines, one line of text per line, words separated by one space, without the
// words Tesseract itself does not believe: a doubtful word stays only beside words it is sure
// of. Without any word it is sure of, there is no text: "".
QString believedText(const QList<Line> &lines);

} // namespace kavri::RecognizedText
