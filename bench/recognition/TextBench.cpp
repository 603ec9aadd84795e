// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextBench.h"

#include <QImageReader>

#include "TextFailures.h"
#include "TextReport.h"
#include "TextResults.h"
#include "Throughput.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

void compare(TextResults &results)
{
    QStringList truths;
    for (const TextSample &sample : results.samples) {
        truths.append(normalizedForComparison(sample.truth));
        results.characters.append(truths.constLast().toUcs4().size());
        results.sizes.append(QImageReader(sample.path).size());
    }
    for (const Reader &reader : results.readers) {
        QList<qsizetype> edits;
        if (reader.available) {
            for (qsizetype index = 0; index < results.samples.size(); ++index)
                edits.append(reader.read.at(index)
                        ? editDistance(truths.at(index), normalizedForComparison(reader.texts.at(index)))
                        : 0);
        }
        results.edits.append(edits);
    }
}

void printFailures(QTextStream &out, const TextResults &results)
{
    for (const Reader &reader : results.readers) {
        if (reader.available && reader.failures > 0)
            out << reader.name << u": "_s << reader.failures << u" failed calls, first: "_s << reader.firstFailure
                << u'\n';
    }
}

} // namespace

void runTextBench(
    const QString &corpus, const QList<TextSample> &samples, const BenchOptions &options, QTextStream &out)
{
    if (samples.isEmpty())
        return;
    TextResults results;
    results.corpus = corpus;
    results.samples = samples;
    results.readers.append(readWithKavri(samples, false));
    results.readers.append(readWithKavri(samples, true));
    Reader plain;
    Reader tuned;
    readWithTesseract(samples, options, plain, tuned);
    results.readers << tuned << plain;
    compare(results);

    out << u"\n== Text recognition, "_s << corpus << u" corpus: "_s << samples.size() << u" images\n"_s;
    out << u"Readers: Kavri (each sample's language) | Kavri auto (no language; language samples only) | "
           u"tesseract 2x psm6 (Lanczos 200 %, --psm 6, -l of the sample) | tesseract (plain)\n"_s;
    printFailures(out, results);
    printKindTable(out, results);
    printSizeTable(out, results);
    printLanguageTable(out, results);
    printTimes(out, results);
    if (options.external)
        printThroughput(out, corpus, samples, options.quick);
    printWorst(out, results);
    if (!options.dumpDirectory.isEmpty())
        dumpFailures(out, options.dumpDirectory, results);
    out.flush();
}

} // namespace kavri
