#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace marrowvale {

/// One end of the connection between the application and its media probing process: messages
/// of a few texts each, sent whole and read whole. The descriptor is owned and closed with it.
class ProbeChannel {
public:
    /// Texts of one message: a request's kind and arguments, or an answer's fields.
    using Message = std::vector<std::string>;

    /// The end at `descriptor`, a connected stream socket; -1 for none.
    explicit ProbeChannel(int descriptor = -1) : descriptor_(descriptor) {}
    ~ProbeChannel();
    ProbeChannel(ProbeChannel&& other) noexcept;
    ProbeChannel& operator=(ProbeChannel&& other) noexcept;
    ProbeChannel(const ProbeChannel&) = delete;
    ProbeChannel& operator=(const ProbeChannel&) = delete;

    /// Whether there is a connection.
    bool isOpen() const { return descriptor_ >= 0; }
    /// The descriptor, for handing to another process.
    int descriptor() const { return descriptor_; }

    /// Sends `message`; false when the other end is gone.
    bool send(const Message& message);

    /// The next message. With a deadline, none once it passes or when `stop` answers true
    /// (asked every few hundredths of a second); without one, waits as long as it takes. None
    /// too when the other end closed or sent something that is no message. A message already
    /// there is taken whatever the time. The deadline is pushed back by any time the wait was
    /// held up beyond what it asked to sleep: this program stopped (Ctrl-Z, a debugger) or
    /// starved, when the other end most likely could not run either.
    std::optional<Message> receive(std::chrono::steady_clock::time_point* deadline = nullptr,
                                   const std::function<bool()>& stop = {});

private:
    bool readExactly(char* buffer, std::size_t size,
                     std::chrono::steady_clock::time_point* deadline,
                     const std::function<bool()>& stop);

    int descriptor_ = -1;
};

} // namespace marrowvale
