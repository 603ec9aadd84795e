// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextMetrics.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QStringList>

using namespace Qt::StringLiterals;

namespace kavri {

QString normalizedForComparison(const QString &text)
{
    QString unified = text;
    unified.replace(u"\r\n"_s, u"\n"_s);
    unified.replace(u'\r', u'\n');
    unified.remove(u'\f');
    QStringList lines;
    for (const QString &line : unified.split(u'\n')) {
        QString collapsed;
        collapsed.reserve(line.size());
        bool inSpace = false;
        for (const QChar character : line) {
            if (character == u' ' || character == u'\t') {
                inSpace = true;
                continue;
            }
            if (inSpace && !collapsed.isEmpty())
                collapsed += u' ';
            inSpace = false;
            collapsed += character;
        }
        lines.append(collapsed);
    }
    while (!lines.isEmpty() && lines.constFirst().isEmpty())
        lines.removeFirst();
    while (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines.join(u'\n');
}

qsizetype editDistance(const QString &reference, const QString &hypothesis)
{
    const QList<uint> a = reference.toUcs4();
    const QList<uint> b = hypothesis.toUcs4();
    std::vector<qsizetype> previous(std::size_t(b.size()) + 1);
    std::vector<qsizetype> current(previous.size());
    for (std::size_t j = 0; j < previous.size(); ++j)
        previous[j] = qsizetype(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const auto column = std::size_t(j);
            const qsizetype substitution = previous[column - 1] + (a.at(i - 1) == b.at(j - 1) ? 0 : 1);
            current[column] = std::min({ previous[column] + 1, current[column - 1] + 1, substitution });
        }
        std::swap(previous, current);
    }
    return previous.back();
}

double percentile(QList<double> values, double percent)
{
    if (values.isEmpty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto rank = qsizetype(std::ceil(percent / 100.0 * double(values.size())));
    return values.at(std::clamp<qsizetype>(rank - 1, 0, values.size() - 1));
}

QString formatMilliseconds(double milliseconds)
{
    if (milliseconds >= 1000.0)
        return QString::number(milliseconds / 1000.0, 'f', 2) + u" s"_s;
    return QString::number(milliseconds, 'f', milliseconds < 10.0 ? 2 : 1) + u" ms"_s;
}

QString formatPercent(double fraction, int decimals)
{
    return QString::number(fraction * 100.0, 'f', decimals) + u" %"_s;
}

} // namespace kavri
