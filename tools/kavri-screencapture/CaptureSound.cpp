// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaptureSound.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include <QDebug>

#include <canberra.h>

namespace kavri {

namespace {

constexpr auto longestWait = std::chrono::seconds(2);

struct Finished
{
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
};

void onFinished(ca_context *, uint32_t, int, void *userdata)
{
    auto *state = static_cast<Finished *>(userdata);
    const std::lock_guard lock(state->mutex);
    state->finished = true;
    state->done.notify_all();
}

struct ContextDeleter
{
    void operator()(ca_context *context) const { ca_context_destroy(context); }
};
struct ProplistDeleter
{
    void operator()(ca_proplist *list) const { ca_proplist_destroy(list); }
};

int play(ca_context *context, const char *eventId, Finished &state)
{
    ca_proplist *raw = nullptr;
    if (ca_proplist_create(&raw) < 0)
        return CA_ERROR_OOM;
    const std::unique_ptr<ca_proplist, ProplistDeleter> props(raw);
    ca_proplist_sets(raw, CA_PROP_EVENT_ID, eventId);
    ca_proplist_sets(raw, CA_PROP_EVENT_DESCRIPTION, "Screen region captured");
    ca_proplist_sets(raw, CA_PROP_APPLICATION_NAME, "Kavri");
    return ca_context_play_full(context, 1, raw, onFinished, &state);
}

} // namespace

bool playCaptureSound()
{
    // Declared first so it outlives the context: the callback may run until the context is gone.
    const auto state = std::make_unique<Finished>();
    ca_context *raw = nullptr;
    if (ca_context_create(&raw) < 0)
        return false;
    const std::unique_ptr<ca_context, ContextDeleter> context(raw);

    int result = play(raw, "screen-capture", *state);
    if (result == CA_ERROR_NOTFOUND)
        result = play(raw, "camera-shutter", *state);
    if (result < 0) {
        qDebug("no capture sound: %s", ca_strerror(result));
        return false;
    }
    std::unique_lock lock(state->mutex);
    state->done.wait_for(lock, longestWait, [&] { return state->finished; });
    return true;
}

} // namespace kavri
