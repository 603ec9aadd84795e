// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextBench.h"

#include <algorithm>
#include <functional>
#include <numeric>

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

constexpr int timedToolImages = 40; // command-line runs timed one at a time; the rest run side by side
constexpr double cerGoalAll = 0.010;
constexpr double cerGoalLarge = 0.005;
constexpr double medianGoalMs = 100.0;
constexpr double p90GoalMs = 300.0;
constexpr double speedupGoal = 2.5;

// What one reader made of the corpus.
struct Reader
{
    explicit Reader(QString readerName)
        : name(std::move(readerName))
    { }

    QString name;
    bool available = false;
    QStringList texts; // per sample
    QList<qsizetype> edits; // per sample, against the normalised truth
    QList<double> times; // warm or timed runs, in milliseconds
    double coldMs = -1.0;
    QString timing; // how the times were taken
    int failures = 0;
    QString firstFailure;
};

struct Group
{
    QString label;
    std::function<bool(const TextSample &)> member;
    double goal = -1.0; // Kavri's ceiling for the group's CER; none when negative
};

QString met(bool ok)
{
    return ok ? u"ok"_s : u"MISS"_s;
}

void progress(const QString &what, qsizetype done, qsizetype total)
{
    QTextStream err(stderr);
    err << u"\r  "_s << what << u' ' << done << u'/' << total << (done == total ? u"\n"_s : QString());
    err.flush();
}

Reader runKavri(const QList<TextSample> &samples)
{
    Reader reader(u"Kavri"_s);
    reader.available = true;
    reader.timing = u"in process, one at a time, after the cold call"_s;
    QList<QImage> images;
    for (const TextSample &sample : samples)
        images.append(QImage(sample.path));
    reader.coldMs = kavriRecognizeText(images.constFirst()).milliseconds; // also the warm-up call
    for (qsizetype index = 0; index < images.size(); ++index) {
        const KavriText result = kavriRecognizeText(images.at(index));
        reader.texts.append(result.text);
        reader.times.append(result.milliseconds);
        if (!result.error.isEmpty() && reader.failures++ == 0)
            reader.firstFailure = result.error;
        if (index % 20 == 19 || index + 1 == images.size())
            progress(u"Kavri text"_s, index + 1, images.size());
    }
    return reader;
}

ToolJob tesseractJob(const QString &program, const TextSample &sample, bool tuned, bool sideBySide)
{
    if (tuned)
        return { program, { sample.upscaledPath, u"stdout"_s, u"--psm"_s, u"6"_s }, sideBySide };
    return { program, { sample.path, u"stdout"_s }, sideBySide };
}

void collect(Reader &reader, qsizetype index, const ToolRun &run)
{
    reader.texts[index] = run.finished ? QString::fromUtf8(run.output) : QString();
    if (!(run.finished && run.exitCode == 0) && reader.failures++ == 0)
        reader.firstFailure = u"exit code %1"_s.arg(run.exitCode);
}

// Times the command line one process at a time on an even spread of images, then reads the rest
// side by side.
void runTesseract(const QList<TextSample> &samples, const BenchOptions &options, Reader &plain, Reader &tuned)
{
    const QString program = findTool(u"tesseract"_s);
    plain.available = tuned.available = options.external && !program.isEmpty();
    if (!plain.available)
        return;
    for (Reader *reader : { &plain, &tuned }) {
        reader->texts = QStringList(samples.size());
        reader->timing = u"new process per image, one at a time, %1 images, the first cold"_s.arg(
            std::min<qsizetype>(timedToolImages, samples.size()));
    }
    const qsizetype step = std::max<qsizetype>(1, samples.size() / timedToolImages);
    QList<bool> timed(samples.size(), false);
    for (qsizetype index = 0; index < samples.size() && index / step < timedToolImages; index += step) {
        timed[index] = true;
        for (Reader *reader : { &plain, &tuned }) {
            const ToolRun run = runTool(tesseractJob(program, samples.at(index), reader == &tuned, false));
            collect(*reader, index, run);
            if (reader->coldMs < 0)
                reader->coldMs = run.milliseconds;
            else
                reader->times.append(run.milliseconds);
        }
    }
    QList<ToolJob> jobs;
    QList<qsizetype> owners;
    for (qsizetype index = 0; index < samples.size(); ++index) {
        if (timed.at(index))
            continue;
        jobs.append(tesseractJob(program, samples.at(index), false, true));
        jobs.append(tesseractJob(program, samples.at(index), true, true));
        owners.append(index);
    }
    if (jobs.isEmpty())
        return;
    progress(u"tesseract, %1 at a time"_s.arg(options.jobs), 0, jobs.size());
    const QList<ToolRun> runs = runTools(jobs, options.jobs);
    progress(u"tesseract, %1 at a time"_s.arg(options.jobs), jobs.size(), jobs.size());
    for (qsizetype job = 0; job < owners.size(); ++job) {
        collect(plain, owners.at(job), runs.at(2 * job));
        collect(tuned, owners.at(job), runs.at(2 * job + 1));
    }
}

QString cerCell(const Reader &reader, const QList<TextSample> &samples, const QList<qsizetype> &characters,
    const Group &group, CerPool *pool = nullptr)
{
    if (!reader.available)
        return u"n/a"_s;
    CerPool local;
    for (qsizetype index = 0; index < samples.size(); ++index) {
        if (group.member(samples.at(index)))
            local.add(reader.edits.at(index), characters.at(index));
    }
    if (pool)
        *pool = local;
    return formatPercent(local.rate());
}

void printCerTable(QTextStream &out, const QString &title, const QList<Group> &groups, const QList<Reader> &readers,
    const QList<TextSample> &samples, const QList<qsizetype> &characters)
{
    const bool withGoals = std::any_of(groups.cbegin(), groups.cend(), [](const Group &g) { return g.goal >= 0; });
    QStringList header = { u"group"_s, u"images"_s, u"chars"_s, readers.constFirst().name };
    if (withGoals)
        header << u"goal"_s << u"met"_s;
    for (qsizetype reader = 1; reader < readers.size(); ++reader)
        header << readers.at(reader).name;
    Table table(title, header);
    for (const Group &group : groups) {
        CerPool pool;
        const QString kavri = cerCell(readers.constFirst(), samples, characters, group, &pool);
        int images = 0;
        qsizetype total = 0;
        for (qsizetype index = 0; index < samples.size(); ++index) {
            if (group.member(samples.at(index))) {
                ++images;
                total += characters.at(index);
            }
        }
        if (images == 0)
            continue;
        QStringList row = { group.label, QString::number(images), QString::number(total), kavri };
        if (withGoals) {
            row << (group.goal >= 0 ? u"<= "_s + formatPercent(group.goal) : QString());
            row << (group.goal < 0                   ? QString()
                    : readers.constFirst().available ? met(pool.rate() <= group.goal)
                                                     : u"n/a"_s);
        }
        for (qsizetype reader = 1; reader < readers.size(); ++reader)
            row << cerCell(readers.at(reader), samples, characters, group);
        table.addRow(row);
    }
    table.print(out);
}

void printTimes(QTextStream &out, const QList<Reader> &readers)
{
    Table table(u"Text: time per image"_s,
        { u"reader"_s, u"timed"_s, u"cold (first call)"_s, u"median"_s, u"p90"_s, u"goal"_s, u"met"_s, u"how"_s });
    for (const Reader &reader : readers) {
        if (!reader.available) {
            table.addRow({ reader.name, u"n/a"_s, u"n/a"_s, u"n/a"_s, u"n/a"_s });
            continue;
        }
        const double median = percentile(reader.times, 50);
        const double p90 = percentile(reader.times, 90);
        const bool isKavri = &reader == &readers.constFirst();
        table.addRow({ reader.name, QString::number(reader.times.size()), formatMilliseconds(reader.coldMs),
            formatMilliseconds(median), formatMilliseconds(p90),
            isKavri ? u"median < 100 ms, p90 < 300 ms"_s : QString(),
            isKavri ? met(median < medianGoalMs && p90 < p90GoalMs) : QString(), reader.timing });
    }
    table.print(out);
    const Reader &kavri = readers.at(0);
    const Reader &command = readers.at(1);
    if (kavri.available && command.available && !kavri.times.isEmpty()) {
        const double ratio = percentile(command.times, 50) / std::max(1e-6, percentile(kavri.times, 50));
        out << u"Command-line median / Kavri median: "_s << QString::number(ratio, 'f', 2) << u"x  (goal >= "_s
            << QString::number(speedupGoal, 'f', 1) << u"x: "_s << met(ratio >= speedupGoal) << u")\n"_s;
    } else {
        out << u"Command-line median / Kavri median: n/a\n"_s;
    }
}

QString oneLine(const QString &text)
{
    QString shown = text;
    shown.replace(u'\n', u"\\n"_s);
    return shown;
}

void printWorst(
    QTextStream &out, const Reader &kavri, const QList<TextSample> &samples, const QList<qsizetype> &characters)
{
    QList<qsizetype> order(samples.size());
    std::iota(order.begin(), order.end(), 0);
    const auto cer
        = [&](qsizetype i) { return double(kavri.edits.at(i)) / double(std::max<qsizetype>(1, characters.at(i))); };
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return cer(a) != cer(b) ? cer(a) > cer(b) : kavri.edits.at(a) > kavri.edits.at(b);
    });
    out << u"\nText: Kavri's 10 worst images\n"_s;
    for (qsizetype rank = 0; rank < std::min<qsizetype>(10, order.size()); ++rank) {
        const qsizetype index = order.at(rank);
        if (kavri.edits.at(index) == 0)
            break;
        const TextSample &sample = samples.at(index);
        out << sample.id << u"  "_s << sample.font << u' ' << sample.pixelSize << u" px "_s << sample.theme << u' '
            << sample.category << (sample.jpeg ? u" jpeg"_s : QString()) << u"  CER "_s << formatPercent(cer(index), 1)
            << u"\n  expected: "_s << oneLine(sample.truth) << u"\n  actual:   "_s << oneLine(kavri.texts.at(index))
            << u'\n';
    }
}

void dumpFailures(QTextStream &out, const QString &directory, const Reader &kavri, const QList<TextSample> &samples,
    const QList<qsizetype> &characters)
{
    QDir root(directory);
    root.mkpath(u"text"_s);
    // Misses of an earlier run would mislead: drop them, and nothing else.
    QDir folder(root.filePath(u"text"_s));
    for (const QString &stale : folder.entryList({ u"t[0-9][0-9][0-9][0-9].*"_s }, QDir::Files))
        folder.remove(stale);
    int written = 0;
    for (qsizetype index = 0; index < samples.size(); ++index) {
        if (kavri.edits.at(index) == 0)
            continue;
        const TextSample &sample = samples.at(index);
        const QString base = root.filePath(u"text/"_s + sample.id);
        QFile::remove(base + u'.' + QFileInfo(sample.path).suffix());
        QFile::copy(sample.path, base + u'.' + QFileInfo(sample.path).suffix());
        QFile file(base + u".txt"_s);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            continue;
        QTextStream text(&file);
        text << u"image: "_s << QFileInfo(sample.path).fileName() << u"\nfont: "_s << sample.font << u' '
             << sample.pixelSize << u" px\ntheme: "_s << sample.theme << u"\ncategory: "_s << sample.category
             << u"\njpeg: "_s << (sample.jpeg ? u"yes"_s : u"no"_s) << u"\nedits: "_s << kavri.edits.at(index)
             << u" of "_s << characters.at(index) << u"\n--- expected\n"_s << sample.truth << u"\n--- actual\n"_s
             << kavri.texts.at(index) << u'\n';
        ++written;
    }
    out << u"\nWrote "_s << written << u" text images Kavri misread to "_s << root.filePath(u"text"_s) << u'\n';
}

} // namespace

void runTextBench(const QList<TextSample> &samples, const BenchOptions &options, QTextStream &out)
{
    if (samples.isEmpty())
        return;
    QList<Reader> readers;
    readers.append(runKavri(samples));
    Reader plain(u"tesseract"_s);
    Reader tuned(u"tesseract 2x psm6"_s);
    runTesseract(samples, options, plain, tuned);
    readers << plain << tuned;

    QList<qsizetype> characters;
    QStringList truths;
    for (const TextSample &sample : samples) {
        truths.append(normalizedForComparison(sample.truth));
        characters.append(truths.constLast().toUcs4().size());
    }
    for (Reader &reader : readers) {
        if (!reader.available)
            continue;
        for (qsizetype index = 0; index < samples.size(); ++index)
            reader.edits.append(editDistance(truths.at(index), normalizedForComparison(reader.texts.at(index))));
    }

    out << u"\n== Text recognition: "_s << samples.size() << u" images\n"_s;
    for (const Reader &reader : readers) {
        if (!reader.available)
            continue;
        qsizetype empty = 0;
        for (qsizetype index = 0; index < samples.size(); ++index)
            empty += normalizedForComparison(reader.texts.at(index)).isEmpty() ? 1 : 0;
        out << reader.name << u": "_s << empty << u" images read as empty text\n"_s;
        if (reader.failures > 0)
            out << reader.name << u": "_s << reader.failures << u" failed calls, first: "_s << reader.firstFailure
                << u'\n';
    }
    const auto large = [](const TextSample &s) { return s.pixelSize >= 12; };
    QList<Group> themeGroups;
    for (const QString &theme : { u"light"_s, u"dark"_s, u"coloured"_s })
        themeGroups.append({ theme + u", all sizes"_s, [theme](const TextSample &s) { return s.theme == theme; } });
    for (const QString &theme : { u"light"_s, u"dark"_s, u"coloured"_s })
        themeGroups.append({ theme + u", >= 12 px"_s,
            [theme, large](const TextSample &s) { return s.theme == theme && large(s); }, cerGoalLarge });
    themeGroups.append({ u"all, >= 12 px"_s, large, cerGoalLarge });
    themeGroups.append({ u"all"_s, [](const TextSample &) { return true; }, cerGoalAll });
    printCerTable(out, u"Text: pooled CER by theme, and overall"_s, themeGroups, readers, samples, characters);

    QList<Group> sizeGroups;
    for (const int size : { 9, 10, 11, 12, 14, 16, 18, 20 })
        sizeGroups.append({ u"%1 px"_s.arg(size), [size](const TextSample &s) { return s.pixelSize == size; } });
    printCerTable(out, u"Text: pooled CER by pixel size"_s, sizeGroups, readers, samples, characters);

    QList<Group> otherGroups;
    for (const QString &category :
        { u"ui"_s, u"menu"_s, u"paragraph"_s, u"code"_s, u"url"_s, u"email"_s, u"numbers"_s, u"table"_s, u"word"_s })
        otherGroups.append({ category, [category](const TextSample &s) { return s.category == category; } });
    for (const QString &font :
        { u"DejaVu Sans"_s, u"DejaVu Sans Mono"_s, u"Liberation Sans"_s, u"Liberation Serif"_s, u"Noto Sans"_s })
        otherGroups.append({ font, [font](const TextSample &s) { return s.font == font; } });
    otherGroups.append({ u"PNG"_s, [](const TextSample &s) { return !s.jpeg; } });
    otherGroups.append({ u"JPEG"_s, [](const TextSample &s) { return s.jpeg; } });
    printCerTable(
        out, u"Text: pooled CER by category, font and file format"_s, otherGroups, readers, samples, characters);

    printTimes(out, readers);
    if (readers.constFirst().available) {
        printWorst(out, readers.constFirst(), samples, characters);
        if (!options.dumpDirectory.isEmpty())
            dumpFailures(out, options.dumpDirectory, readers.constFirst(), samples, characters);
    }
    out.flush();
}

} // namespace kavri
