// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <optional>
#include <vector>

#include <QList>
#include <QMutex>
#include <QSize>
#include <QStringList>

#include "capture/CaptureResult.h"
#include "capture/CaptureSeams.h"
#include "platform/ScreenAccess.h"

// Scripted stand-ins for the seams a real part cannot drive on demand: a denied permission, a
// capture that is still running, a recognizer that fails.
namespace kavri::test {

// Answers as told, in order (the last answer repeats); counts the questions. Asked from the
// thread pool, so it locks.
class FakeScreenAccess : public ScreenAccess
{
public:
    QString unavailableReason() const override
    {
        const QMutexLocker lock(&m_mutex);
        const bool granted = answers.value(std::min<qsizetype>(m_asked, answers.size() - 1), true);
        ++m_asked;
        return granted ? QString() : QStringLiteral("denied by the test");
    }
    void requestAccess() const override
    {
        const QMutexLocker lock(&m_mutex);
        ++m_requests;
    }
    int asked() const
    {
        const QMutexLocker lock(&m_mutex);
        return m_asked;
    }
    int requests() const
    {
        const QMutexLocker lock(&m_mutex);
        return m_requests;
    }

    QList<bool> answers { true };

private:
    mutable QMutex m_mutex;
    mutable int m_asked = 0;
    mutable int m_requests = 0;
};

// Hands out futures the test finishes when it wants, in order.
template <typename T> class PendingCalls
{
public:
    QFuture<T> next()
    {
        m_open.emplace_back();
        return m_open.back().future();
    }
    // Finishes the oldest open call; false when none is open.
    bool finish(T value)
    {
        if (m_open.empty())
            return false;
        m_open.front().resume(std::move(value));
        m_open.pop_front();
        return true;
    }
    size_t open() const { return m_open.size(); }

private:
    std::deque<ResumeOnce<T>> m_open;
};

class ScriptedCapturer : public RegionCapturer
{
public:
    QFuture<Outcome<QImage>> captureRegion(bool playSound) override
    {
        soundRequests.append(playSound);
        return calls.next();
    }

    PendingCalls<Outcome<QImage>> calls;
    QList<bool> soundRequests;
};

// Answers at once with the scripted outcome, or leaves the call open when there is none.
class ScriptedRecognizer : public Recognizer
{
public:
    QFuture<Outcome<QString>> recognizeText(
        const QImage &image, const std::optional<QString> &language, const QStringList &customWords) override
    {
        imageSizes.append(image.size());
        languages.append(language);
        customWordLists.append(customWords);
        auto future = textCalls.next();
        if (text)
            textCalls.finish(*text);
        return future;
    }
    QFuture<Outcome<QStringList>> detectBarcodes(const QImage &image) override
    {
        imageSizes.append(image.size());
        ++barcodeCallCount;
        auto future = barcodeCalls.next();
        if (barcodes)
            barcodeCalls.finish(*barcodes);
        return future;
    }

    std::optional<Outcome<QString>> text;
    std::optional<Outcome<QStringList>> barcodes;
    PendingCalls<Outcome<QString>> textCalls;
    PendingCalls<Outcome<QStringList>> barcodeCalls;
    QList<std::optional<QString>> languages;
    QList<QStringList> customWordLists;
    // Of every image asked about, codes and text alike.
    QList<QSize> imageSizes;
    int barcodeCallCount = 0;
};

class FakeCaptureSettings : public CaptureSettings
{
public:
    bool soundEffectsEnabled() const override { return sound; }
    bool autoDetectLanguage() const override { return autoDetect; }
    QString selectedLanguage() const override { return language; }
    QStringList customWordsList() const override { return customWords; }

    bool sound = true;
    bool autoDetect = true;
    QString language = QStringLiteral("en-US");
    QStringList customWords;
};

class RecordingUsageSink : public UsageEventSink
{
public:
    void recordEvent(const QString &category, const QString &action, const QString &name) override
    {
        events.append(category + u'|' + action + u'|' + name);
    }
    QStringList events;
};

class RecordingDelegate : public QObject, public KavriCoreDelegate
{
public:
    void handleCaptureResult(const CaptureResult &result) override { results.push_back(result); }
    std::vector<CaptureResult> results;
};

} // namespace kavri::test
