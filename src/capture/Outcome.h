// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <memory>
#include <variant>

#include <QFuture>
#include <QPromise>

#include "KavriError.h"

namespace kavri {

// A value or the pipeline error that took its place.
template <typename T> using Outcome = std::variant<T, KavriError>;

// A promise that is fulfilled at most once, whichever completion comes first (a launch failure
// racing a termination, say); later completions are ignored. Copies share the one promise, so
// each completion path can hold its own. Thread-safe. If every copy is dropped unfulfilled, the
// future is cancelled.
template <typename T> class ResumeOnce
{
public:
    ResumeOnce()
        : m_state(std::make_shared<State>())
    {
        m_state->promise.start();
    }

    QFuture<T> future() const { return m_state->promise.future(); }

    // False when an earlier call already fulfilled the promise.
    bool resume(T value) const
    {
        if (m_state->resumed.exchange(true))
            return false;
        m_state->promise.addResult(std::move(value));
        m_state->promise.finish();
        return true;
    }

private:
    struct State
    {
        QPromise<T> promise;
        std::atomic<bool> resumed { false };
    };
    std::shared_ptr<State> m_state;
};

} // namespace kavri
