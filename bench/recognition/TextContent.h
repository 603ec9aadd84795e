// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRandomGenerator>
#include <QStringList>

namespace kavri {

// What one text image shows, before it is drawn: rows of cells.
struct TextContent
{
    enum class Layout {
        lines, // one cell a row, left-aligned
        columns, // a table: cells in left-aligned columns
        menu, // a label and, sometimes, a right-aligned shortcut
        toolbar, // one row of separate labels
    };
    Layout layout = Layout::lines;
    bool buttons = false; // each cell on a button face
    QList<QStringList> rows;

    // The exact text drawn: cells joined by one space, rows by "\n".
    QString truth() const;
};

// The categories in the order of their weights below.
const QStringList &textCategories();
// Picks a category with fixed weights.
QString pickTextCategory(QRandomGenerator &random);
TextContent makeTextContent(const QString &category, QRandomGenerator &random);

} // namespace kavri
