// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include "HeldOutStyle.h"

namespace kavri::heldout {

// One selection of the held-out corpus: a fixed-size box on a page, its HTML and its truth.
struct Cell
{
    QString kind;
    QString language = QStringLiteral("en");
    QString font; // the text's main family; empty without text
    int pixelSize = 0; // CSS px
    QString theme;
    int width = 0; // CSS px
    int height = 0;
    QString background; // CSS background of the whole box
    QString html; // absolutely positioned children of the box
    QString truth; // one line per visual line, "" without text
};

// A block of lines drawn exactly as given (white-space: pre) with its top left at (x, y).
QString textBlock(const QStringList &lines, const QString &family, int pixelSize, double lineHeight, int x, int y,
    const QString &colour, const QString &extraCss = QString());
// The widest of \a lines, in CSS px, rounded up with room for the browser's own measure.
int blockWidth(const QStringList &lines, const QString &family, int pixelSize, bool bold = false);

// \a lines in one block with a margin, on the theme's background.
Cell linesCell(const QString &kind, const QStringList &lines, const QString &family, int pixelSize, const Theme &theme,
    QRandomGenerator &random);

// The kinds made of text alone: "paragraph", "code", "separators", "link", "ui", "menu", "table",
// "numbers", "email", "url", "word" and "language".
Cell textCell(const QString &kind, int index, QRandomGenerator &random);
// Interface pieces drawn with CSS: "ui" (buttons, tabs, check boxes), "menu", "table", and "word"
// (\a label alone, anywhere in a roomy box).
Cell widgetCell(const QString &kind, const QString &label, QRandomGenerator &random);
// Windows, images without text and the 4K screen: "window", "notext", "page4k".
Cell sceneCell(const QString &kind, int index, QRandomGenerator &random);
// A 3840x2160 code editor: tabs, line numbers and code, a terminal panel, a status bar.
Cell editorScreen(QRandomGenerator &random);

} // namespace kavri::heldout
