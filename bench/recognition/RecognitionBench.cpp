// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Text recognition and code detection over a corpus rendered here, Kavri's engine beside the
// tesseract, ZXingReader and zbarimg command lines. Prints tables; asserts nothing.
// Text is measured on two corpora kept apart: "tune", drawn here with QPainter, which the
// recognition pipeline may be tuned on, and "held-out", rendered by headless Chromium from other
// fonts, layouts, themes and text sources, which is only ever measured.
// Run: build-bench/bench/recognition_bench [--quick] [--only text|codes] [--corpus DIR]
//      [--corpus-set tune|held-out|both] [--no-external] [--dump-failures DIR] [--jobs N]
#include <algorithm>
#include <optional>

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include "CodeBench.h"
#include "CodeCorpus.h"
#include "ExternalTools.h"
#include "HeldOutCorpus.h"
#include "TextBench.h"
#include "TextCorpus.h"

using namespace Qt::StringLiterals;

namespace {

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
    // Automatic language detection starts from the user's locale: make it the same on every machine.
    qputenv("LANG", "en_US.UTF-8");
    qputenv("LC_ALL", "en_US.UTF-8");
    QGuiApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QGuiApplication::setApplicationName(u"recognition_bench"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(u"Kavri's text recognition and code detection beside the command-line tools."_s);
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption quickOption(u"quick"_s, u"A small corpus, about a tenth of the full one."_s);
    const QCommandLineOption onlyOption(u"only"_s, u"Run one half only: text or codes."_s, u"text|codes"_s);
    const QCommandLineOption corpusOption(u"corpus"_s,
        u"Write the corpora to DIR and keep them (default: the tune corpus in a temporary directory, the "
        u"held-out one in the user's cache, where its rendered pages are kept)."_s,
        u"DIR"_s);
    const QCommandLineOption corpusSetOption(u"corpus-set"_s,
        u"Measure text on the tune corpus, the held-out one, or both (default)."_s, u"tune|held-out|both"_s, u"both"_s);
    const QCommandLineOption noExternalOption(u"no-external"_s, u"Skip tesseract, ZXingReader and zbarimg."_s);
    const QCommandLineOption dumpOption(
        u"dump-failures"_s, u"Write the images Kavri got wrong, with expected and actual results, to DIR."_s, u"DIR"_s);
    const QCommandLineOption jobsOption(
        u"jobs"_s, u"Command-line tools run N at a time (default: the core count)."_s, u"N"_s);
    parser.addOptions(
        { quickOption, onlyOption, corpusOption, corpusSetOption, noExternalOption, dumpOption, jobsOption });
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
    const QString corpusSet = parser.value(corpusSetOption);
    if (corpusSet != u"tune" && corpusSet != u"held-out" && corpusSet != u"both")
        parser.showHelp(2);
    const bool quick = parser.isSet(quickOption);
    kavri::BenchOptions options;
    options.quick = quick;
    options.external = !parser.isSet(noExternalOption);
    options.dumpDirectory = parser.value(dumpOption);
    options.jobs = parser.isSet(jobsOption) ? std::max(1, parser.value(jobsOption).toInt())
                                            : std::max(1, QThread::idealThreadCount());

    std::optional<QTemporaryDir> temporary;
    QString corpus = parser.value(corpusOption);
    const QString heldOutRoot = corpus.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + u"/kavri-recognition-bench"_s
        : corpus;
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
        if (corpusSet != u"held-out") {
            QElapsedTimer timer;
            timer.start();
            const auto samples = kavri::generateTextCorpus(corpus, quick);
            out << u"Rendered "_s << samples.size() << u" tune images in "_s << timer.elapsed() << u" ms\n"_s;
            out.flush();
            kavri::runTextBench(u"tune"_s, samples, options, out);
        }
        if (corpusSet != u"tune") {
            QElapsedTimer timer;
            timer.start();
            const auto samples = kavri::generateHeldOutCorpus(heldOutRoot, quick, out);
            if (!samples.isEmpty()) {
                out << u"Held-out corpus: "_s << samples.size() << u" images in "_s
                    << QDir::toNativeSeparators(heldOutRoot) << u", ready in "_s << timer.elapsed() << u" ms\n"_s;
                out.flush();
                kavri::runTextBench(u"held-out"_s, samples, options, out);
            }
        }
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
