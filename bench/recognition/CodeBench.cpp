// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CodeBench.h"

#include <algorithm>
#include <functional>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include "ExternalTools.h"
#include "KavriRunner.h"
#include "Table.h"
#include "TextMetrics.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

constexpr double exactGoal = 0.97;
constexpr double medianGoalMs = 5.0;

struct Reader
{
    QString name;
    bool available = false;
    QList<QStringList> payloads; // per sample
    QList<double> times;
    double coldMs = -1.0;
    int failures = 0;
    QString firstFailure;
};

struct Group
{
    QString label;
    std::function<bool(const CodeSample &)> member;
};

bool exact(const CodeSample &sample, QStringList payloads)
{
    QStringList expected = sample.expected;
    expected.sort();
    payloads.sort();
    return expected == payloads;
}

bool reportsLinear(const CodeSample &sample, const QStringList &payloads)
{
    return !sample.linearPayload.isEmpty() && payloads.contains(sample.linearPayload);
}

Reader runKavri(const QList<CodeSample> &samples)
{
    Reader reader;
    reader.name = u"Kavri"_s;
    reader.available = true;
    QList<QImage> images;
    for (const CodeSample &sample : samples)
        images.append(QImage(sample.path));
    reader.coldMs = kavriDetectCodes(images.constFirst()).milliseconds; // also the warm-up call
    for (qsizetype index = 0; index < images.size(); ++index) {
        const KavriCodes result = kavriDetectCodes(images.at(index));
        reader.payloads.append(result.payloads);
        reader.times.append(result.milliseconds);
        if (!result.error.isEmpty() && reader.failures++ == 0)
            reader.firstFailure = result.error;
    }
    return reader;
}

// ZXingReader limited to Kavri's four symbologies; zbarimg limited to QR, the only one of them it reads.
void runTools(const QList<CodeSample> &samples, const BenchOptions &options, Reader &zxing, Reader &zbar)
{
    const QString zxingProgram = options.external ? findTool(u"ZXingReader"_s) : QString();
    const QString zbarProgram = options.external ? findTool(u"zbarimg"_s) : QString();
    zxing.available = !zxingProgram.isEmpty();
    zbar.available = !zbarProgram.isEmpty();
    QList<ToolJob> jobs;
    for (const CodeSample &sample : samples) {
        if (zxing.available)
            jobs.append({ zxingProgram, { u"-format"_s, u"QRCode,Aztec,DataMatrix,PDF417"_s, sample.path }, true });
        if (zbar.available)
            jobs.append({ zbarProgram,
                { u"--xml"_s, u"--nodbus"_s, u"-q"_s, u"-Sdisable"_s, u"-Sqrcode.enable"_s, sample.path }, true });
    }
    if (jobs.isEmpty())
        return;
    const QList<ToolRun> runs = runTools(jobs, options.jobs);
    qsizetype at = 0;
    for (qsizetype index = 0; index < samples.size(); ++index) {
        for (Reader *reader : { &zxing, &zbar }) {
            if (!reader->available)
                continue;
            const ToolRun &run = runs.at(at++);
            reader->payloads.append(reader == &zxing ? zxingReaderPayloads(run.output) : zbarPayloads(run.output));
            reader->times.append(run.milliseconds);
            if (!run.finished && reader->failures++ == 0)
                reader->firstFailure = u"did not finish"_s;
        }
    }
}

QString rateCell(const Reader &reader, const QList<CodeSample> &samples, const Group &group, double *rate = nullptr)
{
    if (!reader.available)
        return u"n/a"_s;
    int total = 0;
    int good = 0;
    for (qsizetype index = 0; index < samples.size(); ++index) {
        if (!group.member(samples.at(index)))
            continue;
        ++total;
        good += exact(samples.at(index), reader.payloads.at(index)) ? 1 : 0;
    }
    const double fraction = total > 0 ? double(good) / double(total) : 0.0;
    if (rate)
        *rate = fraction;
    return formatPercent(fraction, 1) + u" (%1/%2)"_s.arg(good).arg(total);
}

void printRateTable(QTextStream &out, const QString &title, const QList<Group> &groups, const QList<Reader> &readers,
    const QList<CodeSample> &samples, bool withGoal)
{
    QStringList header = { u"group"_s, u"images"_s, u"Kavri"_s };
    if (withGoal)
        header << u"goal"_s << u"met"_s;
    header << readers.at(1).name << readers.at(2).name;
    Table table(title, header);
    for (const Group &group : groups) {
        const auto images = std::count_if(samples.cbegin(), samples.cend(), group.member);
        if (images == 0)
            continue;
        double rate = 0.0;
        QStringList row = { group.label, QString::number(images), rateCell(readers.at(0), samples, group, &rate) };
        if (withGoal)
            row << u">= 97.0 %"_s << (readers.at(0).available ? (rate >= exactGoal ? u"ok"_s : u"MISS"_s) : u"n/a"_s);
        row << rateCell(readers.at(1), samples, group) << rateCell(readers.at(2), samples, group);
        table.addRow(row);
    }
    table.print(out);
}

void dumpFailures(QTextStream &out, const QString &directory, const Reader &kavri, const QList<CodeSample> &samples)
{
    QDir root(directory);
    root.mkpath(u"codes"_s);
    // Misses of an earlier run would mislead: drop them, and nothing else.
    QDir folder(root.filePath(u"codes"_s));
    for (const QString &stale : folder.entryList({ u"c[0-9][0-9][0-9][0-9].*"_s }, QDir::Files))
        folder.remove(stale);
    int written = 0;
    for (qsizetype index = 0; index < samples.size(); ++index) {
        const CodeSample &sample = samples.at(index);
        if (exact(sample, kavri.payloads.at(index)))
            continue;
        const QString base = root.filePath(u"codes/"_s + sample.id);
        QFile::remove(base + u".png"_s);
        QFile::copy(sample.path, base + u".png"_s);
        QFile file(base + u".txt"_s);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            continue;
        QTextStream text(&file);
        text << u"symbology: "_s << sample.symbology << u"\nvariant: "_s << sample.variant << u"\nmodule: "_s
             << sample.moduleSize << u" px\n"_s;
        if (!sample.linearPayload.isEmpty())
            text << u"linear code (must not be reported): "_s << sample.linearPayload << u'\n';
        for (const QString &payload : sample.expected)
            text << u"--- expected\n"_s << payload << u'\n';
        for (const QString &payload : kavri.payloads.at(index))
            text << u"--- actual\n"_s << payload << u'\n';
        ++written;
    }
    out << u"\nWrote "_s << written << u" code images Kavri got wrong to "_s << root.filePath(u"codes"_s) << u'\n';
}

} // namespace

void runCodeBench(const QList<CodeSample> &samples, const BenchOptions &options, QTextStream &out)
{
    if (samples.isEmpty())
        return;
    QList<Reader> readers;
    readers.append(runKavri(samples));
    Reader zxing;
    zxing.name = u"ZXingReader"_s;
    Reader zbar;
    zbar.name = u"zbarimg (QR only)"_s;
    runTools(samples, options, zxing, zbar);
    readers << zxing << zbar;

    out << u"\n== Code detection: "_s << samples.size() << u" images\n"_s;
    for (const Reader &reader : readers) {
        if (reader.failures > 0)
            out << reader.name << u": "_s << reader.failures << u" failed calls, first: "_s << reader.firstFailure
                << u'\n';
    }

    QList<Group> symbologyGroups;
    for (const QString &name : { u"QR"_s, u"Aztec"_s, u"DataMatrix"_s, u"PDF417"_s, u"mixed"_s, u"none"_s })
        symbologyGroups.append({ name == u"none" ? u"none (linear only)"_s : name,
            [name](const CodeSample &s) { return s.symbology == name; } });
    symbologyGroups.append({ u"all"_s, [](const CodeSample &) { return true; } });
    printRateTable(out, u"Codes: exact decode rate by symbology"_s, symbologyGroups, readers, samples, true);

    QList<Group> variantGroups;
    for (const QString &variant :
        { u"plain"_s, u"inverted"_s, u"rotated"_s, u"busy"_s, u"two"_s, u"two mixed"_s, u"linear"_s, u"linear + 2D"_s })
        variantGroups.append({ variant, [variant](const CodeSample &s) { return s.variant == variant; } });
    printRateTable(out, u"Codes: exact decode rate by variant"_s, variantGroups, readers, samples, true);

    QList<Group> moduleGroups;
    for (int module = 1; module <= 6; ++module)
        moduleGroups.append(
            { u"%1 px"_s.arg(module), [module](const CodeSample &s) { return s.moduleSize == module; } });
    printRateTable(out, u"Codes: exact decode rate by module size"_s, moduleGroups, readers, samples, false);

    const auto withLinear = std::count_if(
        samples.cbegin(), samples.cend(), [](const CodeSample &s) { return !s.linearPayload.isEmpty(); });
    Table linear(u"Codes: linear code reported"_s, { u"reader"_s, u"images with one"_s, u"reported"_s, u"goal"_s });
    for (const Reader &reader : readers) {
        if (!reader.available) {
            linear.addRow({ reader.name, QString::number(withLinear), u"n/a"_s });
            continue;
        }
        int reported = 0;
        for (qsizetype index = 0; index < samples.size(); ++index)
            reported += reportsLinear(samples.at(index), reader.payloads.at(index)) ? 1 : 0;
        const bool isKavri = &reader == &readers.constFirst();
        linear.addRow({ reader.name, QString::number(withLinear), QString::number(reported),
            isKavri ? (reported == 0 ? u"0: ok"_s : u"0: MISS"_s) : QString() });
    }
    linear.print(out);

    Table times(u"Codes: time per image"_s,
        { u"reader"_s, u"cold (first call)"_s, u"median"_s, u"p90"_s, u"goal"_s, u"how"_s });
    for (const Reader &reader : readers) {
        const bool isKavri = &reader == &readers.constFirst();
        if (!reader.available) {
            times.addRow({ reader.name, u"n/a"_s, u"n/a"_s, u"n/a"_s });
            continue;
        }
        const double median = percentile(reader.times, 50);
        times.addRow({ reader.name, isKavri ? formatMilliseconds(reader.coldMs) : QString(), formatMilliseconds(median),
            formatMilliseconds(percentile(reader.times, 90)),
            isKavri ? u"median < 5 ms: "_s + (median < medianGoalMs ? u"ok"_s : u"MISS"_s) : QString(),
            isKavri ? u"in process, one at a time, warm"_s
                    : u"new process per image, %1 at a time"_s.arg(options.jobs) });
    }
    times.print(out);
    if (readers.constFirst().available && !options.dumpDirectory.isEmpty())
        dumpFailures(out, options.dumpDirectory, readers.constFirst(), samples);
    out.flush();
}

} // namespace kavri
