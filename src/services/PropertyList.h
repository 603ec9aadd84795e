// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QByteArray>
#include <QString>
#include <QVariantMap>

namespace kavri::PropertyList {

// Reads an XML or binary property list whose top level is a dictionary. Values become bool,
// qint64, double, QString, QDateTime (UTC), QByteArray, QVariantList or QVariantMap. On failure
// returns nothing and, when error is given, says why.
std::optional<QVariantMap> readDictionary(const QByteArray &bytes, QString *error = nullptr);

// The dictionary as an XML property list; values of other types than those above are left out.
QByteArray toXml(const QVariantMap &dictionary);

// The platform's Boolean reading of a value: numbers are true when not zero, strings when they
// start (after blanks, a sign and zeros) with Y, y, T, t or a digit 1-9.
bool boolValue(const QVariant &value);

} // namespace kavri::PropertyList
