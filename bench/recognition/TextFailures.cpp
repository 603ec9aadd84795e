// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextFailures.h"

#include <algorithm>
#include <numeric>

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

QString oneLine(const QString &text)
{
    QString shown = text.size() > 400 ? text.first(400) + u"…"_s : text;
    shown.replace(u'\n', u"\\n"_s);
    return shown;
}

QString describe(const TextSample &sample)
{
    return sample.kind + u' ' + sample.language + u' ' + (sample.font.isEmpty() ? u"-"_s : sample.font) + u' '
        + QString::number(sample.pixelSize) + u" px "_s + sample.theme + (sample.hidpi ? u" hidpi"_s : QString())
        + (sample.jpeg ? u" jpeg"_s : QString());
}

double cerOf(const TextResults &results, qsizetype index)
{
    const qsizetype edits = results.edits.at(TextResults::kavri).at(index);
    return double(edits) / double(std::max<qsizetype>(1, results.characters.at(index)));
}

} // namespace

void printWorst(QTextStream &out, const TextResults &results)
{
    if (!results.usable(TextResults::kavri))
        return;
    const QList<qsizetype> &edits = results.edits.at(TextResults::kavri);
    QList<qsizetype> order(results.samples.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return cerOf(results, a) != cerOf(results, b) ? cerOf(results, a) > cerOf(results, b)
                                                      : edits.at(a) > edits.at(b);
    });
    out << u"\nText, "_s << results.corpus << u" corpus: Kavri's 10 worst images\n"_s;
    for (qsizetype rank = 0; rank < std::min<qsizetype>(10, order.size()); ++rank) {
        const qsizetype index = order.at(rank);
        if (edits.at(index) == 0)
            break;
        const TextSample &sample = results.samples.at(index);
        out << sample.id << u"  "_s << describe(sample) << u"  CER "_s << formatPercent(cerOf(results, index), 1)
            << u"\n  expected: "_s << oneLine(sample.truth) << u"\n  actual:   "_s
            << oneLine(results.readers.at(TextResults::kavri).texts.at(index)) << u'\n';
    }
    out.flush();
}

void dumpFailures(QTextStream &out, const QString &directory, const TextResults &results)
{
    if (!results.usable(TextResults::kavri))
        return;
    QDir root(directory);
    // Misses of an earlier run would mislead: drop this corpus's, and nothing else.
    QDir(root.filePath(results.corpus)).removeRecursively();
    int written = 0;
    for (qsizetype index = 0; index < results.samples.size(); ++index) {
        if (results.edits.at(TextResults::kavri).at(index) == 0)
            continue;
        const TextSample &sample = results.samples.at(index);
        const QString folder = results.corpus + u'/' + sample.kind;
        root.mkpath(folder);
        const QString base = root.filePath(folder + u'/' + sample.id);
        QFile::copy(sample.path, base + u'.' + QFileInfo(sample.path).suffix());
        QFile file(base + u".txt"_s);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            continue;
        QTextStream text(&file);
        text << u"image: "_s << QFileInfo(sample.path).fileName() << u"\nsample: "_s << describe(sample)
             << u"\nedits: "_s << results.edits.at(TextResults::kavri).at(index) << u" of "_s
             << results.characters.at(index) << u"\n--- expected\n"_s << sample.truth << u"\n--- actual\n"_s
             << results.readers.at(TextResults::kavri).texts.at(index) << u'\n';
        ++written;
    }
    out << u"\nWrote "_s << written << u" images Kavri misread to "_s << root.filePath(results.corpus) << u'\n';
}

} // namespace kavri
