#pragma once

#include <signal.h>

namespace marrowvale {

class AppController;

/// Routes SIGINT and SIGTERM to a controller while it lives. A signal that arrives while a
/// report is being written asks it to stop (AppController::requestStop): the run removes its
/// working folder and any partial copy and returns, and the front end then ends the process
/// with `raiseAgain()`, so that the exit status is the first signal's (130, 143). Further
/// signals meanwhile change nothing, so that no impatient Ctrl-C cuts the clean-up short. At
/// any other time a signal takes its usual course at once. One instance at a time; the previous
/// handlers come back when it ends.
class InterruptSignals {
public:
    explicit InterruptSignals(AppController& controller);
    InterruptSignals(const InterruptSignals&) = delete;
    InterruptSignals& operator=(const InterruptSignals&) = delete;
    ~InterruptSignals();

    /// From now until the process ends no signal ends it: the first is kept (and asks a report
    /// being written to stop), for the front end to say how its work ended before it calls
    /// `raiseAgain()`. The handlers then stay in place after this object ends.
    void holdUntilExit();

    /// The first signal that stopped a report or arrived while held; 0 when none did.
    int received() const;
    /// Ends the process by the signal received, with its default action.
    [[noreturn]] void raiseAgain() const;

private:
    struct sigaction previous_[2]; // SIGINT's and SIGTERM's handlers before
};

} // namespace marrowvale
