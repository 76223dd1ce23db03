#pragma once

#include <signal.h>

namespace marrowvale {

class AppController;

/// Routes SIGINT and SIGTERM to a controller while it lives. A signal that arrives while a
/// report is being written asks it to stop (AppController::requestStop): the run removes its
/// working folder and any partial copy and returns, and the front end then ends the process
/// with `raiseAgain()`, so that the exit status is the signal's as before (130, 143). At any
/// other time, and for a second signal, the signal takes its usual course at once. One
/// instance at a time; the previous handlers come back when it ends.
class InterruptSignals {
public:
    explicit InterruptSignals(AppController& controller);
    InterruptSignals(const InterruptSignals&) = delete;
    InterruptSignals& operator=(const InterruptSignals&) = delete;
    ~InterruptSignals();

    /// The signal that stopped a report; 0 when none did.
    int received() const;
    /// Ends the process by the signal received, with its default action.
    [[noreturn]] void raiseAgain() const;

private:
    struct sigaction previous_[2]; // SIGINT's and SIGTERM's handlers before
};

} // namespace marrowvale
