#pragma once

#include <atomic>
#include <exception>

namespace marrowvale {

/// A request to stop a running task, such as a report run, at its next safe step. Any thread,
/// and a signal handler, may raise it; the task checks it between steps and, when it is
/// raised, unwinds by throwing TaskStopped, removing its working files on the way. It is raised
/// when the application is on its way out, so it stays raised.
class StopRequest {
public:
    /// The reason given when no signal is involved (a window closing, a quit).
    static constexpr int quitting = -1;

    /// Asks the task to stop; `reason` is a signal number or `quitting`. The first reason is
    /// kept. Safe to call from a signal handler.
    void request(int reason) noexcept;
    /// The reason of the request; 0 while none was made.
    int reason() const noexcept { return reason_.load(); }
    /// Whether a stop was requested.
    bool isRequested() const noexcept { return reason() != 0; }
    /// Throws TaskStopped when a stop was requested.
    void check() const;

private:
    static_assert(std::atomic<int>::is_always_lock_free, "a signal handler must be able to set it");
    std::atomic<int> reason_{0};
};

/// Thrown by a task that stopped early because a StopRequest was raised.
class TaskStopped : public std::exception {
public:
    const char* what() const noexcept override { return "The task was stopped."; }
};

} // namespace marrowvale
