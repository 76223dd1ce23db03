#pragma once

#include "app/FileDescriptor.h"

#include <array>
#include <signal.h>

namespace marrowvale {

class AppController;

/// SIGINT, SIGTERM and SIGHUP for the desktop application, which ends on them as File > Quit
/// ends it: through its event loop, with its clean-up. The handler only keeps the first signal,
/// asks the routed controller's report to stop (it removes its working files at its next step)
/// and writes a byte to a pipe that the event loop watches. The handlers stay in place until
/// the process ends, so that no later signal cuts the clean-up short; `endByReceivedSignal`
/// then ends the process by the first one, so that its parent sees how it ended. A signal
/// ignored when the process started (as under nohup) stays ignored. One instance at a time.
class QuitSignals {
public:
    /// Installs the handlers; made first, so that no signal ends the process uncleaned.
    QuitSignals();
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;
    /// Puts the earlier handlers back.
    ~QuitSignals();

    /// The descriptor the event loop watches: readable once a signal has come.
    int descriptor() const { return readEnd_.get(); }
    /// Empties the pipe, once the event loop has seen it readable.
    void drain() const;

    /// The controller whose report a signal asks to stop; none (nullptr) before it is made
    /// and after it goes.
    void routeTo(AppController* controller);

    /// The first signal received; 0 when none came.
    int received() const;

    /// Ends the process by the first signal received, with its default action; returns when
    /// none came.
    void endByReceivedSignal() const;

private:
    FileDescriptor readEnd_;
    FileDescriptor writeEnd_;
    std::array<struct sigaction, 3> previous_{};
};

} // namespace marrowvale
