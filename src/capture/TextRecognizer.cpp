// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextRecognizer.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QThreadPool>
#include <QtConcurrent>

#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/resultiterator.h>

#include "ImagePreparation.h"
#include "RecognitionLanguages.h"
#include "TesseractData.h"
#include "platform/Log.h"

using namespace Qt::StringLiterals;

// Provided by libgomp, which Tesseract brings along; weak so that a build without OpenMP works.
extern "C" void omp_set_max_active_levels(int) __attribute__((weak));

namespace kavri::TextRecognizer {

namespace {

constexpr int deadlineMs = 10'000;
constexpr size_t enginesPerThread = 3;

struct Engine
{
    tesseract::TessBaseAPI api;
    std::unique_ptr<QTemporaryFile> wordsFile;
    quint64 lastUse = 0;
};

struct EngineCache
{
    std::map<QString, std::unique_ptr<Engine>> engines;
    quint64 uses = 0;
};

// Every thread's engines, so that they can all be released before Tesseract's own statics are
// destroyed at exit: a thread's storage may outlive that. Never destroyed itself.
struct Registry
{
    QMutex mutex;
    std::set<EngineCache *> caches;
};

Registry &registry()
{
    static auto *instance = new Registry;
    return *instance;
}

void releaseAll()
{
    Registry &all = registry();
    const QMutexLocker lock(&all.mutex);
    for (EngineCache *cache : all.caches)
        delete cache;
    all.caches.clear();
}

// This thread's engines; released when the thread ends or the process exits, whichever is first.
struct ThreadEngines
{
    EngineCache *cache = new EngineCache;

    ThreadEngines()
    {
        const QMutexLocker lock(&registry().mutex);
        registry().caches.insert(cache);
    }
    ~ThreadEngines()
    {
        const QMutexLocker lock(&registry().mutex);
        if (registry().caches.erase(cache) > 0)
            delete cache;
    }
};

thread_local ThreadEngines threadEngines;

void limitOpenMp()
{
    // Tesseract's parallel loops cost more than they gain on the small images of a selection,
    // and two captures may run at once. OMP_THREAD_LIMIT would be read too early to set here;
    // the setting is per thread.
    thread_local const bool once = [] {
        if (omp_set_max_active_levels)
            omp_set_max_active_levels(0);
        return true;
    }();
    Q_UNUSED(once);
}

std::optional<QString> missingLanguage(const QStringList &languages)
{
    const QDir folder(TesseractData::folder());
    for (const QString &language : languages) {
        if (!QFile::exists(folder.filePath(language + u".traineddata"_s)))
            return language;
    }
    return std::nullopt;
}

QString engineKey(const QStringList &languages, const QStringList &customWords)
{
    return languages.join(u'+') + u'\x1f' + customWords.join(u'\x1f');
}

Outcome<Engine *> engineFor(const QStringList &languages, const QStringList &customWords)
{
    const QString key = engineKey(languages, customWords);
    EngineCache &mine = *threadEngines.cache;
    if (auto found = mine.engines.find(key); found != mine.engines.end()) {
        found->second->lastUse = ++mine.uses;
        return found->second.get();
    }
    if (const auto missing = missingLanguage(languages))
        return KavriError::recognitionFailed(u"the language data \"%1\" is not installed (Debian package %2)"_s.arg(
            *missing, RecognitionLanguages::packageFor(*missing)));

    auto engine = std::make_unique<Engine>();
    // Tesseract's chatter ("Too few characters...") is not for Kavri's users.
    std::vector<std::string> names { "debug_file" };
    std::vector<std::string> values { "/dev/null" };
    if (!customWords.isEmpty()) {
        engine->wordsFile = std::make_unique<QTemporaryFile>(QDir::temp().filePath(u"kavri-words-XXXXXX.txt"_s));
        if (!engine->wordsFile->open())
            return KavriError::recognitionFailed(u"cannot write the custom words file"_s);
        engine->wordsFile->write((customWords.join(u'\n') + u'\n').toUtf8());
        engine->wordsFile->flush();
        names.emplace_back("user_words_file");
        values.push_back(QFile::encodeName(engine->wordsFile->fileName()).toStdString());
    }
    const QByteArray folder = QFile::encodeName(TesseractData::folder());
    const QByteArray language = languages.join(u'+').toUtf8();
    if (engine->api.Init(
            folder.constData(), language.constData(), tesseract::OEM_LSTM_ONLY, nullptr, 0, &names, &values, false)
        != 0)
        return KavriError::recognitionFailed(
            u"Tesseract could not load the language data \"%1\""_s.arg(QString::fromUtf8(language)));

    // Polarity is settled before Tesseract sees the image; its own retry of doubtful lines in
    // inverted colours only costs time.
    engine->api.SetVariable("tessedit_do_invert", "0");

    // Registered after Tesseract has built its shared caches, so that it runs before they are torn
    // down (exit handlers and statics unwind in reverse order).
    static const bool releaseAtExit = [] { return std::atexit(releaseAll) == 0; }();
    Q_UNUSED(releaseAtExit);

    if (mine.engines.size() >= enginesPerThread) {
        const auto oldest = std::min_element(mine.engines.begin(), mine.engines.end(),
            [](const auto &a, const auto &b) { return a.second->lastUse < b.second->lastUse; });
        mine.engines.erase(oldest);
    }
    engine->lastUse = ++mine.uses;
    Engine *raw = engine.get();
    mine.engines.emplace(key, std::move(engine));
    return raw;
}

// A line without a letter or digit is a border, a rule or speckle read as "|", "—" or "_".
// Tesseract's own line confidence is no guide: on small screen text it doubts correct lines as
// much as noise, and dropping them lost whole links.
bool isNoise(const QString &line)
{
    return std::none_of(line.begin(), line.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

// Button and cell borders that survive as bars at the ends of a line, or as a pair of bars
// between two buttons. A bar inside a line (a shell pipe) stays.
QString withoutBorderBars(const QString &line)
{
    QStringList words = line.split(u' ', Qt::SkipEmptyParts);
    const auto isBar = [](const QString &word) { return word == u"|" || word == u"[" || word == u"]"; };
    while (!words.isEmpty() && isBar(words.first()))
        words.removeFirst();
    while (!words.isEmpty() && isBar(words.last()))
        words.removeLast();
    for (qsizetype i = 0; i + 1 < words.size();) {
        if (isBar(words[i]) && isBar(words[i + 1]))
            words.remove(i, 2);
        else
            ++i;
    }
    return words.join(u' ');
}

// Tesseract's habits on screen text, undone where the reading is unambiguous.
QString withScreenConventions(QString line)
{
    // Typographic quotes: screens show straight ones in code, and a copied command must run.
    line.replace(u'\u201C', u'"').replace(u'\u201D', u'"').replace(u'\u201E', u'"');
    line.replace(u'\u2018', u'\'').replace(u'\u2019', u'\'');
    // A space read into a link after "https:" or after a dot ("www. example. com").
    static const QRegularExpression schemeGap(u"\\b(https?|ftp): //"_s);
    line.replace(schemeGap, u"\\1://"_s);
    static const QRegularExpression dotGap(u"((?:://|\\bwww|@)\\S*\\.) (?=[a-z0-9])"_s);
    for (qsizetype before = -1; before != line.size();) {
        before = line.size();
        line.replace(dotGap, u"\\1"_s);
    }
    // The commonest misreading of a keyboard shortcut.
    static const QRegularExpression control(u"\\bCtri\\+"_s);
    line.replace(control, u"Ctrl+"_s);
    return line;
}

QString readLines(tesseract::TessBaseAPI &api)
{
    QStringList lines;
    std::unique_ptr<tesseract::ResultIterator> it(api.GetIterator());
    if (!it)
        return {};
    do {
        const std::unique_ptr<char[]> text(it->GetUTF8Text(tesseract::RIL_TEXTLINE));
        if (!text)
            continue;
        const QString line = withScreenConventions(withoutBorderBars(QString::fromUtf8(text.get()).trimmed()));
        if (!line.isEmpty() && !isNoise(line))
            lines.append(line);
    } while (it->Next(tesseract::RIL_TEXTLINE));
    return lines.join(u'\n');
}

Outcome<QString> recognizeWith(tesseract::TessBaseAPI &api, const ImagePreparation::TextImage &prepared)
{
    // One uniform block suits what users select (a line, a paragraph, a menu, a small table);
    // single-line mode read single lines worse, automatic layout split tables and menus.
    api.SetPageSegMode(tesseract::PSM_SINGLE_BLOCK);
    api.SetImage(
        prepared.gray.constBits(), prepared.gray.width(), prepared.gray.height(), 1, int(prepared.gray.bytesPerLine()));
    // Screens are about 96 dpi; upscaled text is as dense as the scale says.
    api.SetSourceResolution(int(std::lround(96.0 * prepared.scale)));

    tesseract::ETEXT_DESC monitor;
    monitor.set_deadline_msecs(deadlineMs);
    const int status = api.Recognize(&monitor);
    if (monitor.deadline_exceeded()) {
        api.Clear();
        return KavriError::recognitionFailed(u"text recognition took longer than %1 seconds"_s.arg(deadlineMs / 1000));
    }
    if (status != 0) {
        api.Clear();
        return KavriError::recognitionFailed(u"Tesseract could not read the image"_s);
    }
    QString text = readLines(api);
    api.Clear();
    return text;
}

// Tall selections are read in horizontal bands on several threads at once, each with its own
// warm engine; a band ends on a row with no ink, so no line is cut.
constexpr int minimumBandHeight = 160;

QThreadPool &bandPool()
{
    static QThreadPool *pool = [] {
        auto *threads = new QThreadPool;
        threads->setExpiryTimeout(-1); // their engines stay warm
        threads->setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
        return threads;
    }();
    return *pool;
}

bool isBlankRow(const QImage &gray, int y)
{
    const uchar *row = gray.constScanLine(y);
    return std::all_of(row, row + gray.width(), [](uchar level) { return level > 200; });
}

QList<QImage> splitIntoBands(const QImage &gray)
{
    const int count = std::min(QThread::idealThreadCount(), gray.height() / minimumBandHeight);
    if (count < 2)
        return { gray };
    QList<QImage> bands;
    int top = 0;
    for (int band = 1; band < count; ++band) {
        // The blank row nearest to the even split, looking a band's quarter either way.
        const int nominal = gray.height() * band / count;
        const int reach = gray.height() / count / 4;
        int cut = -1;
        for (int offset = 0; offset <= reach && cut < 0; ++offset) {
            if (isBlankRow(gray, nominal + offset))
                cut = nominal + offset;
            else if (isBlankRow(gray, nominal - offset))
                cut = nominal - offset;
        }
        if (cut < 0 || cut - top < minimumBandHeight / 2)
            continue;
        bands.append(gray.copy(0, top, gray.width(), cut - top));
        top = cut;
    }
    bands.append(gray.copy(0, top, gray.width(), gray.height() - top));
    return bands;
}

Outcome<QString> recognizeBand(
    const QImage &band, double scale, const QStringList &tesseractLanguages, const QStringList &customWords)
{
    limitOpenMp();
    try {
        const Outcome<Engine *> engine = engineFor(tesseractLanguages, customWords);
        if (const auto *error = std::get_if<KavriError>(&engine))
            return *error;
        return recognizeWith(std::get<Engine *>(engine)->api, ImagePreparation::TextImage { band, scale, false });
    } catch (const std::exception &error) {
        return KavriError::recognitionFailed(QString::fromUtf8(error.what()));
    }
}

Outcome<QString> recognizeBands(
    const QList<QImage> &bands, double scale, const QStringList &tesseractLanguages, const QStringList &customWords)
{
    QList<QFuture<Outcome<QString>>> others;
    for (qsizetype i = 1; i < bands.size(); ++i)
        others.append(QtConcurrent::run(&bandPool(), [band = bands[i], scale, tesseractLanguages, customWords] {
            return recognizeBand(band, scale, tesseractLanguages, customWords);
        }));
    QList<Outcome<QString>> results { recognizeBand(bands.first(), scale, tesseractLanguages, customWords) };
    for (QFuture<Outcome<QString>> &future : others)
        results.append(future.result());
    QStringList texts;
    for (const Outcome<QString> &result : std::as_const(results)) {
        if (const auto *error = std::get_if<KavriError>(&result))
            return *error;
        if (const QString &text = std::get<QString>(result); !text.isEmpty())
            texts.append(text);
    }
    return texts.join(u'\n');
}

} // namespace

Outcome<QString> recognize(const QImage &gray, const QStringList &tesseractLanguages, const QStringList &customWords)
{
    if (gray.isNull() || gray.width() == 0 || gray.height() == 0)
        return KavriError::recognitionFailed(u"the image is empty"_s);
    limitOpenMp();
    try {
        const Outcome<Engine *> engine = engineFor(tesseractLanguages, customWords);
        if (const auto *error = std::get_if<KavriError>(&engine))
            return *error;
        const ImagePreparation::TextImage prepared = ImagePreparation::forText(gray);
        if (prepared.blank)
            return QString();
        const QList<QImage> bands = splitIntoBands(prepared.gray);
        if (bands.size() == 1)
            return recognizeWith(std::get<Engine *>(engine)->api, prepared);
        return recognizeBands(bands, prepared.scale, tesseractLanguages, customWords);
    } catch (const std::exception &error) {
        return KavriError::recognitionFailed(QString::fromUtf8(error.what()));
    }
}

QString customWordsFile(const QStringList &tesseractLanguages, const QStringList &customWords)
{
    const EngineCache &mine = *threadEngines.cache;
    const auto found = mine.engines.find(engineKey(tesseractLanguages, customWords));
    if (found == mine.engines.end())
        return {};
    // What Tesseract itself was told, not what Kavri meant to tell it.
    std::string path;
    found->second->api.GetVariableAsString("user_words_file", &path);
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace kavri::TextRecognizer
