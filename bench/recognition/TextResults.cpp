// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextResults.h"

using namespace Qt::StringLiterals;

namespace kavri {

CerPool TextResults::pool(int reader, const Member &member) const
{
    CerPool pool;
    if (!usable(reader))
        return pool;
    for (qsizetype index = 0; index < samples.size(); ++index) {
        if (readers.at(reader).read.at(index) && member(samples.at(index)))
            pool.add(edits.at(reader).at(index), characters.at(index));
    }
    return pool;
}

std::pair<int, int> TextResults::exact(int reader, const Member &member) const
{
    std::pair<int, int> counts { 0, 0 };
    if (!usable(reader))
        return counts;
    for (qsizetype index = 0; index < samples.size(); ++index) {
        if (!readers.at(reader).read.at(index) || !member(samples.at(index)))
            continue;
        ++counts.second;
        if (edits.at(reader).at(index) == 0)
            ++counts.first;
    }
    return counts;
}

bool isScreenText(const TextSample &sample)
{
    return sample.kind != u"notext" && sample.kind != u"page4k";
}

} // namespace kavri
