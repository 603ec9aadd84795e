// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Text recognition and code detection over a corpus rendered here, Kavri's engine beside the
// tesseract, ZXingReader and zbarimg command lines. Prints tables; asserts nothing.
// Run: build-bench/bench/recognition_bench [--quick] [--only text|codes] [--corpus DIR]
//      [--no-external] [--dump-failures DIR] [--jobs N]
#include <algorithm>
#include <optional>

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include "CodeBench.h"
#include "CodeCorpus.h"
#include "ExternalTools.h"
#include "TextBench.h"
#include "TextCorpus.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int fullTextImages = 360; // each of the 120 (size, theme, font) combinations three times
constexpr int quickTextImages = 36;

QString toolState(const QString &name)
{
    const QString path = kavri::findTool(name);
    return name + u": "_s + (path.isEmpty() ? u"n/a (not installed)"_s : path);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QGuiApplication::setApplicationName(u"recognition_bench"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(u"Kavri's text recognition and code detection beside the command-line tools."_s);
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption quickOption(u"quick"_s, u"A small corpus, about a tenth of the full one."_s);
    const QCommandLineOption onlyOption(u"only"_s, u"Run one half only: text or codes."_s, u"text|codes"_s);
    const QCommandLineOption corpusOption(u"corpus"_s, u"Write the corpus to DIR and keep it."_s, u"DIR"_s);
    const QCommandLineOption noExternalOption(u"no-external"_s, u"Skip tesseract, ZXingReader and zbarimg."_s);
    const QCommandLineOption dumpOption(
        u"dump-failures"_s, u"Write the images Kavri got wrong, with expected and actual results, to DIR."_s, u"DIR"_s);
    const QCommandLineOption jobsOption(
        u"jobs"_s, u"Command-line tools run N at a time (default: the core count)."_s, u"N"_s);
    parser.addOptions({ quickOption, onlyOption, corpusOption, noExternalOption, dumpOption, jobsOption });
    // scripts/bench hands its arguments to every benchmark: leave Google Benchmark's to it.
    if (!parser.parse(QCoreApplication::arguments())) {
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty() || !std::all_of(unknown.cbegin(), unknown.cend(), [](const QString &name) {
                return name.startsWith(u"benchmark_"_s);
            })) {
            QTextStream(stderr) << parser.errorText() << u'\n';
            return 2;
        }
    }
    if (parser.isSet(helpOption))
        parser.showHelp();

    const QString only = parser.value(onlyOption);
    if (!only.isEmpty() && only != u"text" && only != u"codes")
        parser.showHelp(2);
    const bool quick = parser.isSet(quickOption);
    kavri::BenchOptions options;
    options.external = !parser.isSet(noExternalOption);
    options.dumpDirectory = parser.value(dumpOption);
    options.jobs = parser.isSet(jobsOption) ? std::max(1, parser.value(jobsOption).toInt())
                                            : std::max(1, QThread::idealThreadCount());

    std::optional<QTemporaryDir> temporary;
    QString corpus = parser.value(corpusOption);
    if (corpus.isEmpty()) {
        temporary.emplace();
        if (!temporary->isValid())
            qFatal("cannot create a temporary directory");
        corpus = temporary->path();
    } else if (!QDir().mkpath(corpus)) {
        qFatal("cannot create the corpus directory");
    }

    QTextStream out(stdout);
    QElapsedTimer wall;
    wall.start();
    out << u"recognition_bench: "_s << (quick ? u"quick"_s : u"full"_s) << u" corpus in "_s
        << QDir::toNativeSeparators(corpus) << u"\n"_s;
    if (options.external) {
        for (const QString &tool : { u"tesseract"_s, u"ZXingReader"_s, u"zbarimg"_s })
            out << u"  "_s << toolState(tool) << u'\n';
    }
    out.flush();

    if (only != u"codes") {
        const QStringList missing = kavri::ensureCorpusFonts();
        if (!missing.isEmpty())
            out << u"Fonts not found, Qt substitutes others: "_s << missing.join(u", "_s) << u'\n';
        QElapsedTimer timer;
        timer.start();
        const auto samples = kavri::generateTextCorpus(corpus, quick ? quickTextImages : fullTextImages);
        out << u"Rendered "_s << samples.size() << u" text images in "_s << timer.elapsed() << u" ms\n"_s;
        out.flush();
        kavri::runTextBench(samples, options, out);
    }
    if (only != u"text") {
        QElapsedTimer timer;
        timer.start();
        const auto samples = kavri::generateCodeCorpus(corpus, quick);
        out << u"\nRendered "_s << samples.size() << u" code images in "_s << timer.elapsed() << u" ms\n"_s;
        out.flush();
        kavri::runCodeBench(samples, options, out);
    }
    out << u"\nWall time: "_s << QString::number(double(wall.elapsed()) / 1000.0, 'f', 1) << u" s\n"_s;
    return 0;
}
