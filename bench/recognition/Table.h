// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>
#include <QTextStream>

namespace kavri {

// A plain-text table: the first column left-aligned, the others right-aligned, two spaces apart.
class Table
{
public:
    Table(QString title, QStringList header);

    void addRow(QStringList cells);
    void print(QTextStream &out) const;

private:
    QString m_title;
    QStringList m_header;
    QList<QStringList> m_rows;
};

} // namespace kavri
