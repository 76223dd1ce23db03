#include "app/controller/InterruptSignals.h"

#include "app/controller/AppController.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <stdexcept>

namespace marrowvale {

namespace {

constexpr int routedSignals[2] = {SIGINT, SIGTERM};

// A signal handler reaches the controller only through a global; it is set while one
// InterruptSignals lives.
std::atomic<AppController*> routedTo{nullptr};

void takeUsualCourse(int signal) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

extern "C" void onInterrupt(int signal) {
    AppController* controller = routedTo.load();
    // A second signal, or one that nothing would act on, ends the process now.
    if (controller == nullptr || controller->stopReason() != 0 ||
        !controller->requestStop(signal)) {
        takeUsualCourse(signal);
    }
}

} // namespace

InterruptSignals::InterruptSignals(AppController& controller) {
    AppController* none = nullptr;
    if (!routedTo.compare_exchange_strong(none, &controller)) {
        throw std::logic_error("signals are already routed to a controller");
    }
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(routedSignals); ++i) {
        sigaction(routedSignals[i], &action, &previous_[i]);
    }
}

InterruptSignals::~InterruptSignals() {
    for (std::size_t i = 0; i < std::size(routedSignals); ++i) {
        sigaction(routedSignals[i], &previous_[i], nullptr);
    }
    routedTo.store(nullptr);
}

int InterruptSignals::received() const {
    AppController* controller = routedTo.load();
    const int reason = controller != nullptr ? controller->stopReason() : 0;
    return reason > 0 ? reason : 0;
}

void InterruptSignals::raiseAgain() const {
    const int signal = received();
    if (signal > 0) {
        takeUsualCourse(signal);
    }
    std::_Exit(128 + signal);
}

} // namespace marrowvale
