// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

// Fonts, sizes and colour themes of the held-out corpus: none of them appear in the tune corpus.
namespace kavri::heldout {

struct Theme
{
    QString name;
    QString background;
    QString text;
    QString muted; // secondary text
    QString panel; // title bars, sidebars, buttons
    QString border;
    bool dark = false;
};

const QList<Theme> &themes();
const QStringList &proportionalFonts(); // sans and serif
const QStringList &monospaceFonts();
const QList<int> &textSizes(); // CSS px for prose and interface text
const QList<int> &codeSizes();

// The text's width in CSS px as Chromium will lay it out, estimated from the font's metrics;
// the page checks the real extent, so a slight misjudgement costs a sample, never a wrong truth.
double textWidth(const QString &text, const QString &family, int pixelSize, bool bold = false);
// Words of \a words up to \a width px per line.
QStringList wrapped(const QString &text, const QString &family, int pixelSize, double width);

QString escaped(const QString &text); // for HTML text and attribute values
QString fontCss(const QString &family, int pixelSize); // "font: 13px 'Fira Code', monospace;"

template <typename T> const T &pickOne(QRandomGenerator &random, const QList<T> &list)
{
    return list.at(random.bounded(int(list.size())));
}
int inRange(QRandomGenerator &random, int low, int high);

} // namespace kavri::heldout
