// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaptureSound.h"

#include <condition_variable>
#include <memory>
#include <mutex>

#include <QDebug>
#include <QThreadPool>

#include <canberra.h>

namespace kavri::CaptureSound {

namespace {

// One context for the life of the process, never destroyed: destroying a context unloads its
// output driver while the driver's own player thread may still be running in it (libcanberra's
// ALSA driver does not join that thread), which crashed the capture tool about one time in ten.
ca_context *sharedContext()
{
    static ca_context *const context = [] {
        ca_context *created = nullptr;
        if (const int result = ca_context_create(&created); result < 0) {
            qDebug("no sound context: %s", ca_strerror(result));
            return static_cast<ca_context *>(nullptr);
        }
        ca_context_change_props(created, CA_PROP_APPLICATION_NAME, "Kavri", nullptr);
        return created;
    }();
    return context;
}

struct Ending
{
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
};

// The callback owns a reference, so a sound that outlasts the wait still finds its state.
void onEnded(ca_context *, uint32_t, int, void *userdata)
{
    const std::unique_ptr<std::shared_ptr<Ending>> holder(static_cast<std::shared_ptr<Ending> *>(userdata));
    Ending &ending = **holder;
    const std::lock_guard lock(ending.mutex);
    ending.done = true;
    ending.ended.notify_all();
}

struct ProplistDeleter
{
    void operator()(ca_proplist *list) const { ca_proplist_destroy(list); }
};

int play(const char *eventId, const std::shared_ptr<Ending> &ending)
{
    ca_context *context = sharedContext();
    if (!context)
        return CA_ERROR_STATE;
    ca_proplist *raw = nullptr;
    if (ca_proplist_create(&raw) < 0)
        return CA_ERROR_OOM;
    const std::unique_ptr<ca_proplist, ProplistDeleter> props(raw);
    ca_proplist_sets(raw, CA_PROP_EVENT_ID, eventId);
    ca_proplist_sets(raw, CA_PROP_EVENT_DESCRIPTION, "Screen region captured");
    if (!ending)
        return ca_context_play_full(context, 1, raw, nullptr, nullptr);
    auto *holder = new std::shared_ptr<Ending>(ending);
    const int result = ca_context_play_full(context, 1, raw, onEnded, holder);
    if (result < 0)
        delete holder; // never called back
    return result;
}

bool playEither(const std::shared_ptr<Ending> &ending)
{
    int result = play("screen-capture", ending);
    if (result == CA_ERROR_NOTFOUND)
        result = play("camera-shutter", ending);
    if (result < 0)
        qDebug("no capture sound: %s", ca_strerror(result));
    return result >= 0;
}

} // namespace

void start()
{
    // Opening the sound and the connection to the sound server takes a few milliseconds that
    // the capture should not wait for.
    static QThreadPool starter;
    starter.setMaxThreadCount(1);
    starter.start([] { playEither(nullptr); });
}

bool playToEnd(std::chrono::milliseconds longest)
{
    const auto ending = std::make_shared<Ending>();
    if (!playEither(ending))
        return false;
    std::unique_lock lock(ending->mutex);
    ending->ended.wait_for(lock, longest, [&] { return ending->done; });
    return true;
}

} // namespace kavri::CaptureSound
