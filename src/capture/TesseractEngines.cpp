// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TesseractEngines.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QSemaphore>
#include <QTemporaryFile>
#include <QThread>
#include <QThreadPool>

#include <tesseract/baseapi.h>

#include "RecognitionLanguages.h"
#include "TesseractData.h"

using namespace Qt::StringLiterals;

// Provided by libgomp, which Tesseract brings along; weak so that a build without OpenMP works.
extern "C" void omp_set_max_active_levels(int) __attribute__((weak));

namespace kavri::TesseractEngines {

namespace {

// Enough for the user's languages with English and a few others tried by automatic detection.
constexpr size_t enginesPerThread = 6;

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

std::optional<QString> missingLanguage(const QStringList &languages)
{
    const auto missing = std::find_if_not(languages.begin(), languages.end(), TesseractData::isInstalled);
    return missing == languages.end() ? std::nullopt : std::optional<QString>(*missing);
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

} // namespace

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

QThreadPool *threadPool()
{
    static QThreadPool *pool = [] {
        auto *threads = new QThreadPool;
        threads->setExpiryTimeout(-1);
        threads->setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
        return threads;
    }();
    return pool;
}

Outcome<tesseract::TessBaseAPI *> forThisThread(const QStringList &languages, const QStringList &customWords)
{
    const Outcome<Engine *> engine = engineFor(languages, customWords);
    if (const auto *error = std::get_if<KavriError>(&engine))
        return *error;
    return &std::get<Engine *>(engine)->api;
}

void releaseIdle()
{
    // One task per idle thread, each held until all have started, so that no thread runs two
    // and every idle thread lets go of its own engines. A thread busy recognising keeps them.
    QThreadPool *pool = threadPool();
    QSemaphore started, go, finished;
    int tasks = 0;
    while (tasks < pool->maxThreadCount() && pool->tryStart([&] {
        started.release();
        go.acquire();
        threadEngines.cache->engines.clear();
        finished.release();
    }))
        ++tasks;
    started.acquire(tasks);
    go.release(tasks);
    finished.acquire(tasks);
}

int engineCount()
{
    Registry &all = registry();
    const QMutexLocker lock(&all.mutex);
    int count = 0;
    for (const EngineCache *cache : all.caches)
        count += int(cache->engines.size());
    return count;
}

QString customWordsFile(const QStringList &languages, const QStringList &customWords)
{
    const EngineCache &mine = *threadEngines.cache;
    const auto found = mine.engines.find(engineKey(languages, customWords));
    if (found == mine.engines.end())
        return {};
    // What Tesseract itself was told, not what Kavri meant to tell it.
    std::string path;
    found->second->api.GetVariableAsString("user_words_file", &path);
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace kavri::TesseractEngines
