#include "app/controller/InterruptSignals.h"

#include "app/controller/AppController.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <stdexcept>

namespace marrowvale {

namespace {

constexpr int routedSignals[2] = {SIGINT, SIGTERM};

// A signal handler reaches the controller only through globals; they are set while one
// InterruptSignals lives (and, once held, until the process ends).
std::atomic<AppController*> routedTo{nullptr};
std::atomic<bool> holding{false};
std::atomic<int> heldSignal{0};

void takeUsualCourse(int signal) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

extern "C" void onInterrupt(int signal) {
    AppController* controller = routedTo.load();
    // The controller keeps the first reason; a report being written stops at its next step and
    // then removes its files, which a later signal must not interrupt.
    const bool reportStops = controller != nullptr && controller->requestStop(signal);
    if (holding.load()) {
        int none = 0;
        heldSignal.compare_exchange_strong(none, signal);
        return;
    }
    if (!reportStops) {
        takeUsualCourse(signal);
    }
}

} // namespace

InterruptSignals::InterruptSignals(AppController& controller) {
    AppController* none = nullptr;
    if (!routedTo.compare_exchange_strong(none, &controller)) {
        throw std::logic_error("signals are already routed to a controller");
    }
    holding = false;
    heldSignal = 0;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(routedSignals); ++i) {
        sigaction(routedSignals[i], &action, &previous_[i]);
    }
}

InterruptSignals::~InterruptSignals() {
    // Held signals stay held: the front end has said how its work ended, and a signal during
    // the last clean-up must not end the process by it after all.
    if (!holding.load()) {
        for (std::size_t i = 0; i < std::size(routedSignals); ++i) {
            sigaction(routedSignals[i], &previous_[i], nullptr);
        }
    }
    routedTo.store(nullptr);
}

void InterruptSignals::holdUntilExit() {
    holding = true;
}

int InterruptSignals::received() const {
    if (const int held = heldSignal.load(); held > 0) {
        return held;
    }
    AppController* controller = routedTo.load();
    const int reason = controller != nullptr ? controller->stopReason() : 0;
    return reason > 0 ? reason : 0;
}

void InterruptSignals::raiseAgain() const {
    const int signal = received();
    if (signal > 0) {
        holding = false;
        takeUsualCourse(signal);
    }
    std::_Exit(128 + signal);
}

} // namespace marrowvale
