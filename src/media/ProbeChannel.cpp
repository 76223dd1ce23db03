#include "media/ProbeChannel.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace marrowvale {

namespace {

using Clock = std::chrono::steady_clock;

// Room for the texts of any answer (tags with all their skipped items, say); a length beyond
// it means the stream is out of step.
constexpr std::uint32_t kMaximumMessageBytes = std::uint32_t{1} << 30;
// How often a wait looks at its stop request.
constexpr std::chrono::milliseconds kStopCheckInterval{40};

void appendLength(std::string& bytes, std::size_t length) {
    const auto value = static_cast<std::uint32_t>(length);
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

} // namespace

ProbeChannel::~ProbeChannel() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

ProbeChannel::ProbeChannel(ProbeChannel&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)) {}

ProbeChannel& ProbeChannel::operator=(ProbeChannel&& other) noexcept {
    if (this != &other) {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

bool ProbeChannel::send(const Message& message) {
    // The message's length, its field count, then each field's length and bytes.
    std::string bytes(sizeof(std::uint32_t), '\0');
    appendLength(bytes, message.size());
    for (const std::string& field : message) {
        appendLength(bytes, field.size());
        bytes += field;
    }
    if (bytes.size() - sizeof(std::uint32_t) > kMaximumMessageBytes) {
        return false;
    }
    const auto length = static_cast<std::uint32_t>(bytes.size() - sizeof(std::uint32_t));
    std::memcpy(bytes.data(), &length, sizeof length);
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        // No SIGPIPE when the other end is gone: that is an answer, not a reason to end.
        const ssize_t count =
            ::send(descriptor_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        sent += static_cast<std::size_t>(count);
    }
    return true;
}

bool ProbeChannel::readExactly(char* buffer, std::size_t size, Clock::time_point* deadline,
                               const std::function<bool()>& stop) {
    std::size_t filled = 0;
    while (filled < size) {
        if (deadline != nullptr) {
            if (stop && stop()) {
                return false;
            }
            const auto asked =
                std::clamp(std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now()),
                           std::chrono::milliseconds(0), kStopCheckInterval);
            const auto before = Clock::now();
            pollfd ready{descriptor_, POLLIN, 0};
            const int waited = ::poll(&ready, 1, static_cast<int>(asked.count()));
            const auto after = Clock::now();
            if (waited < 0 && errno != EINTR) {
                return false;
            }
            // Time the poll was held beyond its timeout is time the other end could not use
            // either when this whole program was stopped, or the machine was that busy.
            if (after - before > asked) {
                *deadline += (after - before) - asked;
            }
            if (waited <= 0) {
                if (after >= *deadline) {
                    return false;
                }
                continue;
            }
        }
        const ssize_t count = ::recv(descriptor_, buffer + filled, size - filled, 0);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        filled += static_cast<std::size_t>(count);
    }
    return true;
}

std::optional<ProbeChannel::Message> ProbeChannel::receive(Clock::time_point* deadline,
                                                           const std::function<bool()>& stop) {
    std::uint32_t length = 0;
    if (!isOpen() ||
        !readExactly(reinterpret_cast<char*>(&length), sizeof length, deadline, stop) ||
        length < sizeof(std::uint32_t) || length > kMaximumMessageBytes) {
        return std::nullopt;
    }
    std::string bytes(length, '\0');
    if (!readExactly(bytes.data(), bytes.size(), deadline, stop)) {
        return std::nullopt;
    }
    // Unpacks what send() packed, refusing any length that runs past the end.
    std::size_t offset = 0;
    auto readLength = [&](std::uint32_t& value) {
        if (bytes.size() - offset < sizeof value) {
            return false;
        }
        std::memcpy(&value, bytes.data() + offset, sizeof value);
        offset += sizeof value;
        return true;
    };
    std::uint32_t count = 0;
    if (!readLength(count) || count > bytes.size()) {
        return std::nullopt;
    }
    Message message;
    message.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t size = 0;
        if (!readLength(size) || size > bytes.size() - offset) {
            return std::nullopt;
        }
        message.emplace_back(bytes, offset, size);
        offset += size;
    }
    return message;
}

} // namespace marrowvale
