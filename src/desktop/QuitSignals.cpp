#include "desktop/QuitSignals.h"

#include "app/controller/AppController.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace marrowvale {

namespace {

constexpr std::array<int, 3> quitSignals = {SIGINT, SIGTERM, SIGHUP};

// A signal handler reaches the pipe and the controller only through globals, set while a
// QuitSignals lives.
std::atomic<bool> inUse{false};
std::atomic<int> wakeDescriptor{-1};
std::atomic<AppController*> routedTo{nullptr};
std::atomic<int> firstSignal{0};

extern "C" void onQuitSignal(int signal) {
    const int savedErrno = errno;
    int none = 0;
    firstSignal.compare_exchange_strong(none, signal);
    if (AppController* controller = routedTo.load()) {
        controller->requestStop(signal);
    }
    if (const int descriptor = wakeDescriptor.load(); descriptor >= 0) {
        const char byte = 0;
        // A full pipe already wakes the event loop.
        [[maybe_unused]] const ssize_t written = ::write(descriptor, &byte, 1);
    }
    errno = savedErrno;
}

bool isIgnored(const struct sigaction& action) {
    return (action.sa_flags & SA_SIGINFO) == 0 && action.sa_handler == SIG_IGN;
}

} // namespace

QuitSignals::QuitSignals() {
    if (inUse.exchange(true)) {
        throw std::logic_error("quit signals are already handled");
    }
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        // Without a pipe the signals keep their usual course.
        return;
    }
    readEnd_ = FileDescriptor(ends[0]);
    writeEnd_ = FileDescriptor(ends[1]);
    firstSignal = 0;
    wakeDescriptor = writeEnd_.get();
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < quitSignals.size(); ++i) {
        sigaction(quitSignals[i], nullptr, &previous_[i]);
        if (!isIgnored(previous_[i])) {
            sigaction(quitSignals[i], &action, nullptr);
        }
    }
}

QuitSignals::~QuitSignals() {
    if (writeEnd_.isOpen()) {
        for (std::size_t i = 0; i < quitSignals.size(); ++i) {
            sigaction(quitSignals[i], &previous_[i], nullptr);
        }
    }
    wakeDescriptor = -1;
    routedTo = nullptr;
    inUse = false;
}

void QuitSignals::drain() const {
    char bytes[64];
    while (::read(readEnd_.get(), bytes, sizeof bytes) > 0) {
    }
}

void QuitSignals::routeTo(AppController* controller) {
    routedTo = controller;
    // A signal that came before the controller did still stops the report it starts.
    if (controller != nullptr && firstSignal.load() != 0) {
        controller->requestStop(firstSignal.load());
    }
}

int QuitSignals::received() const {
    return firstSignal.load();
}

void QuitSignals::endByReceivedSignal() const {
    const int signal = received();
    if (signal == 0) {
        return;
    }
    // Killed by the signal, the process would lose what it printed but did not write out yet.
    std::fflush(nullptr);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);
}

} // namespace marrowvale
