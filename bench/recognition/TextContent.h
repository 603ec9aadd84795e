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

// The rows of one kind of text: "ui", "menu", "paragraph", "code", "url", "email", "numbers",
// "table", "separators", "link" or "word".
TextContent makeTextContent(const QString &category, QRandomGenerator &random);

// Pieces the other tune texts are made of.
QString fullName(QRandomGenerator &random); // "Anna Smith"
QString host(QRandomGenerator &random); // "bluepeak.io"
QString url(QRandomGenerator &random); // with or without scheme, path and query
QString email(QRandomGenerator &random);
QString price(QRandomGenerator &random); // "€1,299.00"
QString codeLine(QRandomGenerator &random); // one statement, in one of several languages

} // namespace kavri
