// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextReport.h"

#include <algorithm>
#include <set>

#include "Table.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

using Member = TextResults::Member;

constexpr double ratioGoal = 0.8; // Kavri's CER over the 2x psm6 command line's
constexpr double wordGoal = 0.95;
constexpr double codeGoal = 0.75;
constexpr double linkGoal = 0.90;
constexpr double pageGoal = 0.02;
constexpr double autoGoal = 1.25;
constexpr double typicalGoalMs = 100.0;

enum class Goal { none, exactWord, codeAndSeparators, exactLink, allEmpty, page, ratio };

struct Row
{
    QString label;
    Member member;
    Goal goal = Goal::none;
};

QString met(bool ok)
{
    return ok ? u"ok"_s : u"MISS"_s;
}

QString ratioText(double numerator, double denominator)
{
    if (denominator <= 0.0)
        return numerator <= 0.0 ? u"1.00x"_s : u"inf"_s;
    return QString::number(numerator / denominator, 'f', 2) + u'x';
}

QString exactText(std::pair<int, int> counts)
{
    return counts.second == 0 ? u"n/a"_s : formatPercent(double(counts.first) / double(counts.second), 1);
}

QString goalText(Goal goal)
{
    switch (goal) {
    case Goal::none:
        return QString();
    case Goal::exactWord:
        return u"exact >= 95 %"_s;
    case Goal::codeAndSeparators:
        return u"exact >= 75 %, CER <= 0.8x"_s;
    case Goal::exactLink:
        return u"exact >= 90 %"_s;
    case Goal::allEmpty:
        return u"all empty"_s;
    case Goal::page:
        return u"CER < 2 %"_s;
    case Goal::ratio:
        return u"CER <= 0.8x"_s;
    }
    return QString();
}

bool goalMet(Goal goal, const TextResults &results, const Member &member)
{
    const auto counts = results.exact(TextResults::kavri, member);
    const double exactRate = counts.second == 0 ? 0.0 : double(counts.first) / double(counts.second);
    const double cer = results.pool(TextResults::kavri, member).rate();
    const bool ratioMet = !results.usable(TextResults::tuned)
        || cer <= ratioGoal * results.pool(TextResults::tuned, member).rate() + 1e-12;
    switch (goal) {
    case Goal::none:
        return true;
    case Goal::exactWord:
        return exactRate >= wordGoal;
    case Goal::codeAndSeparators:
        return exactRate >= codeGoal && ratioMet;
    case Goal::exactLink:
        return exactRate >= linkGoal;
    case Goal::allEmpty:
        return counts.first == counts.second;
    case Goal::page:
        return cer < pageGoal;
    case Goal::ratio:
        return ratioMet;
    }
    return false;
}

Member ofKind(const QString &kind)
{
    return [kind](const TextSample &sample) { return sample.kind == kind; };
}

int imagesOf(const TextResults &results, const Member &member, qsizetype *characters = nullptr)
{
    int images = 0;
    for (qsizetype index = 0; index < results.samples.size(); ++index) {
        if (!member(results.samples.at(index)))
            continue;
        ++images;
        if (characters)
            *characters += results.characters.at(index);
    }
    return images;
}

} // namespace

void printKindTable(QTextStream &out, const TextResults &results)
{
    QList<Row> rows;
    static const QList<std::pair<QString, Goal>> kinds = { { u"word"_s, Goal::exactWord }, { u"code"_s, Goal::none },
        { u"separators"_s, Goal::none }, { u"link"_s, Goal::exactLink }, { u"notext"_s, Goal::allEmpty },
        { u"window"_s, Goal::none }, { u"ui"_s, Goal::none }, { u"menu"_s, Goal::none }, { u"paragraph"_s, Goal::none },
        { u"table"_s, Goal::none }, { u"numbers"_s, Goal::none }, { u"email"_s, Goal::none }, { u"url"_s, Goal::none },
        { u"language"_s, Goal::none }, { u"page4k"_s, Goal::page } };
    for (const auto &[kind, goal] : kinds)
        rows.append({ kind, ofKind(kind), goal });
    rows.append({ u"code+separators"_s,
        [](const TextSample &s) { return s.kind == u"code" || s.kind == u"separators"; }, Goal::codeAndSeparators });
    rows.append({ u"screen text < 12 px"_s, [](const TextSample &s) { return isScreenText(s) && s.pixelSize < 12; } });
    rows.append({ u"screen text >= 12 px"_s, [](const TextSample &s) { return isScreenText(s) && s.pixelSize >= 12; },
        Goal::ratio });
    rows.append({ u"screen text, all"_s, isScreenText, Goal::ratio });
    rows.append({ u"  of which JPEG"_s, [](const TextSample &s) { return isScreenText(s) && s.jpeg; } });
    rows.append({ u"  of which HiDPI"_s, [](const TextSample &s) { return isScreenText(s) && s.hidpi; } });

    Table table(u"Text, %1 corpus: pooled CER and exact reads by kind"_s.arg(results.corpus),
        { u"kind"_s, u"images"_s, u"chars"_s, u"Kavri CER"_s, u"exact"_s, u"2x psm6 CER"_s, u"exact"_s,
            u"tesseract CER"_s, u"exact"_s, u"Kavri/2x"_s, u"goal"_s, u"met"_s });
    for (const Row &row : rows) {
        qsizetype characters = 0;
        const int images = imagesOf(results, row.member, &characters);
        if (images == 0)
            continue;
        QStringList cells = { row.label, QString::number(images), QString::number(characters) };
        for (const int reader : { TextResults::kavri, TextResults::tuned, TextResults::plain }) {
            if (!results.usable(reader)) {
                cells << u"n/a"_s << u"n/a"_s;
                continue;
            }
            const auto counts = results.exact(reader, row.member);
            if (row.goal == Goal::allEmpty) {
                cells << u"+%1 chars"_s.arg(results.pool(reader, row.member).edits)
                      << u"%1/%2 empty"_s.arg(counts.first).arg(counts.second);
                continue;
            }
            cells << formatPercent(results.pool(reader, row.member).rate()) << exactText(counts);
        }
        cells << (results.usable(TextResults::tuned) && row.goal != Goal::allEmpty
                ? ratioText(results.pool(TextResults::kavri, row.member).rate(),
                    results.pool(TextResults::tuned, row.member).rate())
                : QString());
        cells << goalText(row.goal)
              << (row.goal == Goal::none ? QString() : met(goalMet(row.goal, results, row.member)));
        table.addRow(cells);
    }
    table.print(out);
}

void printSizeTable(QTextStream &out, const TextResults &results)
{
    std::set<int> sizes;
    for (const TextSample &sample : results.samples) {
        if (isScreenText(sample))
            sizes.insert(sample.pixelSize);
    }
    Table table(u"Text, %1 corpus: pooled CER of screen text by pixel size (CSS px)"_s.arg(results.corpus),
        { u"size"_s, u"images"_s, u"chars"_s, u"Kavri"_s, u"2x psm6"_s, u"tesseract"_s, u"Kavri/2x"_s });
    for (const int size : sizes) {
        const Member member = [size](const TextSample &s) { return isScreenText(s) && s.pixelSize == size; };
        qsizetype characters = 0;
        const int images = imagesOf(results, member, &characters);
        QStringList cells = { u"%1 px"_s.arg(size), QString::number(images), QString::number(characters) };
        for (const int reader : { TextResults::kavri, TextResults::tuned, TextResults::plain })
            cells << (results.usable(reader) ? formatPercent(results.pool(reader, member).rate()) : u"n/a"_s);
        cells << (results.usable(TextResults::tuned) ? ratioText(
                      results.pool(TextResults::kavri, member).rate(), results.pool(TextResults::tuned, member).rate())
                                                     : QString());
        table.addRow(cells);
    }
    table.print(out);
}

void printLanguageTable(QTextStream &out, const TextResults &results)
{
    Table table(u"Text, %1 corpus: German and French, Kavri told the language or detecting it"_s.arg(results.corpus),
        { u"language"_s, u"images"_s, u"chars"_s, u"Kavri right"_s, u"exact"_s, u"Kavri auto"_s, u"exact"_s,
            u"auto/right"_s, u"goal"_s, u"met"_s, u"2x psm6 (right -l)"_s, u"tesseract (eng)"_s });
    for (const QString &language : { u"de"_s, u"fr"_s, u"de+fr"_s }) {
        const Member member
            = [language](const TextSample &s) { return s.kind == u"language" && (language.contains(s.language)); };
        qsizetype characters = 0;
        const int images = imagesOf(results, member, &characters);
        if (images == 0)
            continue;
        const double right = results.pool(TextResults::kavri, member).rate();
        const double automatic = results.pool(TextResults::kavriAuto, member).rate();
        const bool both = language == u"de+fr";
        table.addRow({ language, QString::number(images), QString::number(characters), formatPercent(right),
            exactText(results.exact(TextResults::kavri, member)), formatPercent(automatic),
            exactText(results.exact(TextResults::kavriAuto, member)), ratioText(automatic, right),
            both ? u"<= 1.25x"_s : QString(), both ? met(automatic <= autoGoal * right + 1e-12) : QString(),
            results.usable(TextResults::tuned) ? formatPercent(results.pool(TextResults::tuned, member).rate())
                                               : u"n/a"_s,
            results.usable(TextResults::plain) ? formatPercent(results.pool(TextResults::plain, member).rate())
                                               : u"n/a"_s });
    }
    table.print(out);
}

void printTimes(QTextStream &out, const TextResults &results)
{
    Table table(u"Text, %1 corpus: time per image"_s.arg(results.corpus),
        { u"reader"_s, u"images"_s, u"images timed"_s, u"cold"_s, u"median"_s, u"p90"_s, u"goal"_s, u"met"_s });
    const auto timesOf = [&results](int reader, const Member &member) {
        QList<double> times;
        for (qsizetype index = 0; index < results.samples.size(); ++index) {
            const double ms = results.readers.at(reader).milliseconds.value(index, -1.0);
            if (ms >= 0 && member(results.samples.at(index)))
                times.append(ms);
        }
        return times;
    };
    const auto typical = [&results](const TextSample &sample) {
        const qsizetype index = &sample - results.samples.constData();
        const QSize size = results.sizes.at(index);
        return sample.kind != u"page4k" && size.width() >= 560 && size.width() <= 1040 && size.height() >= 120
            && size.height() <= 300;
    };
    const Member selections = [](const TextSample &s) { return s.kind != u"page4k"; };
    const Member pages = [](const TextSample &s) { return s.kind == u"page4k"; };
    for (const int reader : { TextResults::kavri, TextResults::kavriAuto, TextResults::tuned, TextResults::plain }) {
        if (!results.usable(reader))
            continue;
        const Reader &r = results.readers.at(reader);
        const QList<double> times = timesOf(reader, selections);
        const Member readSelections = [&r, &results](const TextSample &s) {
            return s.kind != u"page4k" && r.read.at(&s - results.samples.constData());
        };
        table.addRow({ r.name + u", selections"_s, QString::number(imagesOf(results, readSelections)),
            QString::number(times.size()), formatMilliseconds(r.coldMs), formatMilliseconds(percentile(times, 50)),
            formatMilliseconds(percentile(times, 90)) });
        const QList<double> around = timesOf(reader, typical);
        if (!around.isEmpty()) {
            const double median = percentile(around, 50);
            const bool isKavri = reader == TextResults::kavri;
            table.addRow({ r.name + u", about 800x200"_s, QString::number(imagesOf(results, typical)),
                QString::number(around.size()), QString(), formatMilliseconds(median),
                formatMilliseconds(percentile(around, 90)), isKavri ? u"median < 100 ms"_s : QString(),
                isKavri ? met(median < typicalGoalMs) : QString() });
        }
        const QList<double> page = timesOf(reader, pages);
        if (!page.isEmpty()) {
            table.addRow({ r.name + u", 3840x2160 page"_s, QString::number(imagesOf(results, pages)),
                QString::number(page.size()), QString(), formatMilliseconds(percentile(page, 50)),
                formatMilliseconds(percentile(page, 90)),
                u"CER "_s + formatPercent(results.pool(reader, pages).rate()) });
        }
    }
    table.print(out);
    out << u"(about 800x200: selections 560-1040 px wide and 120-300 px high; Kavri timed around the call, "
           u"the command line per process, start-up included)\n"_s;
}

} // namespace kavri
