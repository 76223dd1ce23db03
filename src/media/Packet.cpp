#include "media/Packet.h"

extern "C" {
#include <libavcodec/packet.h>
}

#include <new>
#include <utility>

namespace marrowvale {

Packet::Packet() : packet_(av_packet_alloc()) {
    if (packet_ == nullptr) {
        throw std::bad_alloc();
    }
}

Packet::~Packet() {
    av_packet_free(&packet_);
}

Packet::Packet(Packet&& other) noexcept : packet_(std::exchange(other.packet_, nullptr)) {}

Packet& Packet::operator=(Packet&& other) noexcept {
    if (this != &other) {
        av_packet_free(&packet_);
        packet_ = std::exchange(other.packet_, nullptr);
    }
    return *this;
}

void Packet::unref() {
    av_packet_unref(packet_);
}

std::span<const std::uint8_t> Packet::data() const {
    if (packet_->data == nullptr || packet_->size <= 0) {
        return {};
    }
    return {packet_->data, static_cast<std::size_t>(packet_->size)};
}

int Packet::streamIndex() const {
    return packet_->stream_index;
}

} // namespace marrowvale
