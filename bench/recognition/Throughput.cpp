// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Throughput.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "ExternalTools.h"
#include "Table.h"
#include "TextMetrics.h"

using namespace Qt::StringLiterals;

namespace kavri {

namespace {

constexpr int throughputImages = 40;
constexpr int quickThroughputImages = 16;
constexpr double throughputGoal = 2.5;

// The application built beside this benchmark (build-bench/kavri), else one on the path.
QString kavriExecutable()
{
    const QFileInfo built(QDir(QCoreApplication::applicationDirPath()).filePath(u"../kavri"_s));
    if (built.isExecutable())
        return built.canonicalFilePath();
    return findTool(u"kavri"_s);
}

QString perSecond(int images, double milliseconds)
{
    return milliseconds > 0 ? QString::number(1000.0 * images / milliseconds, 'f', 2) : u"n/a"_s;
}

} // namespace

void printThroughput(QTextStream &out, const QString &corpus, const QList<TextSample> &samples, bool quick)
{
    const int wanted = quick ? quickThroughputImages : throughputImages;
    const QString kavri = kavriExecutable();
    const QString tesseract = findTool(u"tesseract"_s);
    if (kavri.isEmpty() || tesseract.isEmpty()) {
        out << u"\nThroughput, "_s << corpus << u" corpus: n/a ("_s
            << (kavri.isEmpty() ? u"kavri not built"_s : u"tesseract not installed"_s) << u")\n"_s;
        return;
    }
    QStringList files;
    QList<const TextSample *> selections;
    for (const TextSample &sample : samples) {
        if (sample.kind != u"page4k")
            selections.append(&sample);
    }
    const qsizetype step = std::max<qsizetype>(1, selections.size() / wanted);
    for (qsizetype index = 0; index < selections.size() && files.size() < wanted; index += step)
        files.append(selections.at(index)->path);
    if (files.isEmpty())
        return;

    const ToolRun whole = runTool({ kavri, QStringList { u"recognize"_s, u"--text"_s } + files, false });
    double sequentialMs = 0.0;
    int finished = 0;
    for (const QString &file : files) {
        const ToolRun run = runTool({ tesseract, { file, u"stdout"_s }, false });
        sequentialMs += run.milliseconds;
        finished += run.finished ? 1 : 0;
    }
    const int images = int(files.size());
    Table table(u"Throughput, %1 corpus: whole processes on the same %2 images"_s.arg(corpus).arg(images),
        { u"run"_s, u"wall"_s, u"images/s"_s, u"ratio"_s, u"goal"_s, u"met"_s });
    const double ratio = whole.finished && whole.milliseconds > 0 ? sequentialMs / whole.milliseconds : 0.0;
    table.addRow({ u"kavri recognize --text FILES (one process)"_s,
        whole.finished ? formatMilliseconds(whole.milliseconds) : u"did not finish"_s,
        whole.finished ? perSecond(images, whole.milliseconds) : u"n/a"_s,
        whole.finished ? QString::number(ratio, 'f', 2) + u'x' : u"n/a"_s, u">= 2.5x"_s,
        whole.finished && ratio >= throughputGoal ? u"ok"_s : u"MISS"_s });
    table.addRow({ u"tesseract FILE stdout, one process after another"_s, formatMilliseconds(sequentialMs),
        perSecond(finished, sequentialMs), u"1.00x"_s });
    table.print(out);
}

} // namespace kavri
