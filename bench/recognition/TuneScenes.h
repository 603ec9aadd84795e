// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRandomGenerator>
#include <QString>

// Whole selections of the tune corpus drawn with QPainter, beyond plain rows of text.
namespace kavri::tune {

struct Scene
{
    QImage image;
    QString truth; // every text, one line per visual line, top to bottom and left to right
};

// \a label alone, sometimes on a button face, anywhere in a selection much larger than itself.
QImage roomyLabel(const QString &label, const QFont &font, QColor background, QColor ink, QRandomGenerator &random);
// A window crop: title bar with buttons, toolbar with icons, sidebar beside the content, status bar.
Scene windowScene(const QFont &font, bool dark, QRandomGenerator &random);
// A 3840x2160 screen of a document set in three columns; the truth reads column after column.
Scene documentPage(const QFont &font, QRandomGenerator &random);

} // namespace kavri::tune
