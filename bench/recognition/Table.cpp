// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Table.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kavri {

Table::Table(QString title, QStringList header)
    : m_title(std::move(title))
    , m_header(std::move(header))
{ }

void Table::addRow(QStringList cells)
{
    m_rows.append(std::move(cells));
}

void Table::print(QTextStream &out) const
{
    QList<qsizetype> widths(m_header.size(), 0);
    const auto measure = [&widths](const QStringList &cells) {
        for (qsizetype column = 0; column < cells.size() && column < widths.size(); ++column)
            widths[column] = std::max(widths.at(column), cells.at(column).size());
    };
    measure(m_header);
    for (const QStringList &row : m_rows)
        measure(row);
    const auto line = [&widths](const QStringList &cells) {
        QString text;
        for (qsizetype column = 0; column < widths.size(); ++column) {
            const QString cell = column < cells.size() ? cells.at(column) : QString();
            if (column > 0)
                text += u"  "_s;
            text += column == 0 ? cell.leftJustified(widths.at(column)) : cell.rightJustified(widths.at(column));
        }
        while (text.endsWith(u' '))
            text.chop(1);
        return text;
    };
    qsizetype total = 0;
    for (const qsizetype width : widths)
        total += width + 2;
    out << u'\n' << m_title << u'\n' << line(m_header) << u'\n' << QString(total - 2, u'-') << u'\n';
    for (const QStringList &row : m_rows)
        out << line(row) << u'\n';
    out.flush();
}

} // namespace kavri
