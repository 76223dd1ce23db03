#pragma once

#include <cstdint>
#include <span>

struct AVPacket;

namespace marrowvale {

/// One compressed packet, owned. Part of the FFmpeg layer of this folder: nothing outside
/// src/media sees it.
class Packet {
public:
    /// An empty packet; throws std::bad_alloc when none can be made.
    Packet();
    ~Packet();
    Packet(Packet&& other) noexcept;
    Packet& operator=(Packet&& other) noexcept;
    Packet(const Packet&) = delete;
    Packet& operator=(const Packet&) = delete;

    /// The packet, for FFmpeg calls.
    AVPacket* get() const { return packet_; }
    /// Releases the data, keeping the packet for the next read.
    void unref();

    /// The bytes carried.
    std::span<const std::uint8_t> data() const;
    /// The stream the packet belongs to.
    int streamIndex() const;

private:
    AVPacket* packet_;
};

} // namespace marrowvale
