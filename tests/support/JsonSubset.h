// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QTest>

namespace kavri::test {

using namespace Qt::StringLiterals;

// Parses a JSON object written inline in a test table; fails the test on a typo.
inline QJsonObject jsonObject(const QString &text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        qFatal("bad JSON in test table: %s (%s)", qPrintable(error.errorString()), qPrintable(text));
    return document.object();
}

// Every member of \a expected is in \a actual with the same value; other members are not looked at.
// Returns a description of the first difference, or an empty string.
inline QString subsetMismatch(const QJsonObject &actual, const QJsonObject &expected)
{
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        if (!actual.contains(it.key()))
            return u"missing member "_s + it.key();
        if (actual.value(it.key()) != it.value()) {
            const auto show = [](const QJsonValue &v) {
                return QString::fromUtf8(QJsonDocument(QJsonObject { { u"v"_s, v } }).toJson(QJsonDocument::Compact));
            };
            return it.key() + u": got "_s + show(actual.value(it.key())) + u", want "_s + show(it.value());
        }
    }
    return {};
}

} // namespace kavri::test

#define KAVRI_COMPARE_JSON_SUBSET(actual, expected)                                                                    \
    do {                                                                                                               \
        const QString mismatch_ = kavri::test::subsetMismatch((actual), (expected));                                   \
        QVERIFY2(mismatch_.isEmpty(), qPrintable(mismatch_));                                                          \
    } while (false)
