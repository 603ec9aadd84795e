// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "VersionComparator.h"

#include <vector>

namespace kavri {

namespace {

enum class PartType { Number, Word, Period };

struct Part
{
    PartType type;
    QStringView text;
};

PartType typeOf(QChar c)
{
    if (c.isDigit())
        return PartType::Number;
    if (c == u'.')
        return PartType::Period;
    return PartType::Word;
}

bool isSeparator(QChar c)
{
    return c != u'.' && !c.isLetterOrNumber();
}

std::vector<Part> split(QStringView version)
{
    std::vector<Part> parts;
    qsizetype i = 0;
    while (i < version.size()) {
        const QChar c = version[i];
        if (isSeparator(c)) {
            ++i;
            continue;
        }
        const PartType type = typeOf(c);
        qsizetype end = i + 1;
        // Each period is a part of its own; digits and letters run on.
        while (type != PartType::Period && end < version.size() && !isSeparator(version[end])
            && typeOf(version[end]) == type)
            ++end;
        parts.push_back({ type, version.mid(i, end - i) });
        i = end;
    }
    return parts;
}

// Digit runs of any length, without overflowing an integer.
int compareNumbers(QStringView a, QStringView b)
{
    while (a.size() > 1 && a.front() == u'0')
        a = a.mid(1);
    while (b.size() > 1 && b.front() == u'0')
        b = b.mid(1);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    const int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

} // namespace

int compareVersions(QStringView a, QStringView b)
{
    const std::vector<Part> left = split(a);
    const std::vector<Part> right = split(b);
    const std::size_t common = std::min(left.size(), right.size());
    for (std::size_t i = 0; i < common; ++i) {
        const Part &l = left[i];
        const Part &r = right[i];
        if (l.type == r.type) {
            int order = 0;
            if (l.type == PartType::Number)
                order = compareNumbers(l.text, r.text);
            else if (l.type == PartType::Word)
                order = l.text.compare(r.text, Qt::CaseInsensitive);
            if (order != 0)
                return order < 0 ? -1 : 1;
            continue;
        }
        // A word marks a pre-release, older than any number or further component.
        if (l.type == PartType::Word)
            return -1;
        if (r.type == PartType::Word)
            return 1;
        // A number against a period: "1.2" + "3" is not comparable to "1.2" + ".", the number wins.
        return l.type == PartType::Number ? 1 : -1;
    }
    if (left.size() == right.size())
        return 0;
    // The longer one has an extra part: a word makes it a pre-release of the shorter one, anything
    // else a later version.
    const bool leftLonger = left.size() > right.size();
    const Part &extra = leftLonger ? left[common] : right[common];
    const int longerIsNewer = extra.type == PartType::Word ? -1 : 1;
    return leftLonger ? longerIsNewer : -longerIsNewer;
}

} // namespace kavri
