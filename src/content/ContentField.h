// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHashFunctions>
#include <QString>
#include <QUuid>

namespace kavri {

// One labelled line of a payload. Every field made gets a fresh id, so a list can tell its rows
// apart; equality and hashing look only at what is shown (symbol and value).
struct ContentField
{
    ContentField(QString fieldSymbol, QString fieldValue)
        : id(QUuid::createUuid())
        , symbol(std::move(fieldSymbol))
        , value(std::move(fieldValue))
    { }

    QUuid id;
    QString symbol;
    QString value;

    friend bool operator==(const ContentField &a, const ContentField &b)
    {
        return a.symbol == b.symbol && a.value == b.value;
    }
};

inline size_t qHash(const ContentField &field, size_t seed = 0) noexcept
{
    return qHashMulti(seed, field.symbol, field.value);
}

} // namespace kavri
