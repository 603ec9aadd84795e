// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextReaders.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <QTextStream>

#include "ExternalTools.h"
#include "KavriRunner.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

// Command-line runs timed one at a time (fewer in the quick loop); the rest run side by side.
constexpr int timedToolImages = 40;
constexpr int quickTimedToolImages = 10;

void progress(const QString &what, qsizetype done, qsizetype total)
{
    QTextStream err(stderr);
    err << u"\r  "_s << what << u' ' << done << u'/' << total << (done == total ? u"\n"_s : QString());
    err.flush();
}

QString tesseractLanguage(const QString &language)
{
    if (language == u"de")
        return u"deu"_s;
    if (language == u"fr")
        return u"fra"_s;
    return u"eng"_s;
}

// Next to the image's folder: tune/t0001.png -> tune-x2/t0001.png.
QString upscaledPath(const TextSample &sample)
{
    const QFileInfo image(sample.path);
    return image.dir().absolutePath() + u"-x2/"_s + image.completeBaseName() + u".png"_s;
}

// The Lanczos copies the tuned command line reads; kept from an earlier run when still newer.
bool upscale(const QList<TextSample> &samples, int jobs)
{
    // Only ImageMagick's own convert, never another program of that name earlier on the path.
    const QString convert = QStandardPaths::findExecutable(u"convert"_s, { u"/usr/bin"_s, u"/bin"_s });
    if (convert.isEmpty())
        return false;
    QList<ToolJob> work;
    for (const TextSample &sample : samples) {
        const QString target = upscaledPath(sample);
        const QFileInfo made(target);
        if (made.exists() && made.lastModified() >= QFileInfo(sample.path).lastModified())
            continue;
        QDir().mkpath(made.absolutePath());
        work.append({ convert, { sample.path, u"-filter"_s, u"Lanczos"_s, u"-resize"_s, u"200%"_s, target }, true });
    }
    if (!work.isEmpty()) {
        progress(u"convert -filter Lanczos -resize 200%"_s, 0, work.size());
        runTools(work, jobs);
        progress(u"convert -filter Lanczos -resize 200%"_s, work.size(), work.size());
    }
    return true;
}

ToolJob tesseractJob(const QString &program, const TextSample &sample, bool tuned, bool sideBySide)
{
    if (tuned)
        return { program,
            { upscaledPath(sample), u"stdout"_s, u"--psm"_s, u"6"_s, u"-l"_s, tesseractLanguage(sample.language) },
            sideBySide };
    return { program, { sample.path, u"stdout"_s }, sideBySide };
}

void collect(Reader &reader, qsizetype index, const ToolRun &run)
{
    reader.texts[index] = run.finished ? QString::fromUtf8(run.output) : QString();
    if (!(run.finished && run.exitCode == 0) && reader.failures++ == 0)
        reader.firstFailure = u"exit code %1"_s.arg(run.exitCode);
}

void prepare(Reader &reader, qsizetype count)
{
    reader.read = QList<bool>(count, true);
    reader.texts = QStringList(count);
    reader.milliseconds = QList<double>(count, -1.0);
}

} // namespace

QString settingsLanguage(const QString &language)
{
    if (language == u"de")
        return u"de-DE"_s;
    if (language == u"fr")
        return u"fr-FR"_s;
    return u"en-US"_s;
}

Reader readWithKavri(const QList<TextSample> &samples, bool automatic)
{
    Reader reader;
    reader.name = automatic ? u"Kavri auto"_s : u"Kavri"_s;
    reader.available = true;
    reader.timing = u"in process, one at a time, after the cold call"_s;
    prepare(reader, samples.size());
    QList<qsizetype> order;
    for (qsizetype index = 0; index < samples.size(); ++index) {
        reader.read[index] = !automatic || samples.at(index).kind == u"language";
        if (reader.read.at(index))
            order.append(index);
    }
    if (order.isEmpty())
        return reader;
    const auto languageOf = [automatic](const TextSample &sample) -> std::optional<QString> {
        if (automatic)
            return std::nullopt;
        return settingsLanguage(sample.language);
    };
    const TextSample &first = samples.at(order.constFirst());
    reader.coldMs = kavriRecognizeText(QImage(first.path), languageOf(first)).milliseconds; // also warms up
    for (qsizetype done = 0; done < order.size(); ++done) {
        const qsizetype index = order.at(done);
        const KavriText result = kavriRecognizeText(QImage(samples.at(index).path), languageOf(samples.at(index)));
        reader.texts[index] = result.text;
        reader.milliseconds[index] = result.milliseconds;
        if (!result.error.isEmpty() && reader.failures++ == 0)
            reader.firstFailure = result.error;
        if (done % 20 == 19 || done + 1 == order.size())
            progress(reader.name, done + 1, order.size());
    }
    return reader;
}

void readWithTesseract(const QList<TextSample> &samples, const BenchOptions &options, Reader &plain, Reader &tuned)
{
    const int jobs = options.jobs;
    const int timedLimit = options.quick ? quickTimedToolImages : timedToolImages;
    plain.name = u"tesseract"_s;
    tuned.name = u"tesseract 2x psm6"_s;
    const QString program = findTool(u"tesseract"_s);
    plain.available = options.external && !program.isEmpty() && !samples.isEmpty();
    tuned.available = plain.available && upscale(samples, jobs);
    if (!plain.available)
        return;
    QList<Reader *> readers = { &plain };
    if (tuned.available)
        readers.append(&tuned);
    const qsizetype timedCount = std::min<qsizetype>(timedLimit, samples.size());
    for (Reader *reader : readers) {
        prepare(*reader, samples.size());
        reader->timing = u"new process per image, one at a time, %1 images, the first cold"_s.arg(timedCount);
    }
    // The 4K pages are timed apart from the rest: one of them weighs like a hundred selections.
    const qsizetype step = std::max<qsizetype>(1, samples.size() / timedLimit);
    QList<bool> timed(samples.size(), false);
    for (qsizetype index = 0; index < samples.size(); ++index)
        timed[index] = (index % step == 0 && index / step < timedLimit) || samples.at(index).kind == u"page4k";
    for (qsizetype index = 0; index < samples.size(); ++index) {
        if (!timed.at(index))
            continue;
        for (Reader *reader : readers) {
            const ToolRun run = runTool(tesseractJob(program, samples.at(index), reader == &tuned, false));
            collect(*reader, index, run);
            if (reader->coldMs < 0)
                reader->coldMs = run.milliseconds;
            else
                reader->milliseconds[index] = run.milliseconds;
        }
    }
    QList<ToolJob> work;
    QList<qsizetype> owners;
    for (qsizetype index = 0; index < samples.size(); ++index) {
        if (timed.at(index))
            continue;
        for (Reader *reader : readers)
            work.append(tesseractJob(program, samples.at(index), reader == &tuned, true));
        owners.append(index);
    }
    if (work.isEmpty())
        return;
    const QString label = u"tesseract, %1 at a time"_s.arg(jobs);
    progress(label, 0, work.size());
    const QList<ToolRun> runs = runTools(work, jobs);
    progress(label, work.size(), work.size());
    for (qsizetype job = 0; job < owners.size(); ++job) {
        for (qsizetype reader = 0; reader < readers.size(); ++reader)
            collect(*readers.at(reader), owners.at(job), runs.at(job * readers.size() + reader));
    }
}

} // namespace kavri
