#include "DovovevoZavCore/TimecodeFrameCountValue.h"

#include "DovovevoZavCore/DoubleText.h"
#include "DovovevoZavCore/ExactFrames.h"
#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeSourceSupport.h"

#include <bit>
#include <cstdint>
#include <string>

namespace dovovevozav {

bool TimecodeFrameCountValue::isZero() const {
    switch (kind_) {
    case Kind::frames:
        return intFrames_ == 0;
    case Kind::split:
        return intFrames_ == 0 && intSubFrames_ == 0;
    case Kind::combined:
        return real_ == 0.0;
    case Kind::splitUnitInterval:
        return intFrames_ == 0 && real_ == 0.0;
    }
    return false;
}

std::string TimecodeFrameCountValue::description() const {
    switch (kind_) {
    case Kind::frames:
        return std::to_string(intFrames_) + " frames";
    case Kind::split:
        return std::to_string(intFrames_) + "." + std::to_string(intSubFrames_) + " frames";
    case Kind::combined:
        return doubleText(real_) + " frames";
    case Kind::splitUnitInterval:
        return doubleText(static_cast<double>(intFrames_) + real_) + " frames";
    }
    return {};
}

std::string TimecodeFrameCountValue::debugDescription() const {
    switch (kind_) {
    case Kind::frames:
        return ".frames(" + std::to_string(intFrames_) + ")";
    case Kind::split:
        return ".split(frames: " + std::to_string(intFrames_) +
               ", subFrames: " + std::to_string(intSubFrames_) + ")";
    case Kind::combined:
        return ".combined(" + doubleText(real_) + ")";
    case Kind::splitUnitInterval:
        return ".splitUnitInterval(frames: " + std::to_string(intFrames_) +
               ", subFramesUnitInterval: " + doubleText(real_) + ")";
    }
    return {};
}

void TimecodeFrameCountValue::apply(Timecode& target) const {
    detail::storeCheckedFrames(target, detail::ExactFrames::of(*this, target.subFramesBase()));
}

void TimecodeFrameCountValue::apply(Timecode& target, TimecodeValidationRule rule) const {
    detail::storeFramesByRule(
        target, detail::ExactFrames::saturatingOf(*this, target.subFramesBase()), rule);
}

bool operator==(const TimecodeFrameCountValue& lhs, const TimecodeFrameCountValue& rhs) {
    using Kind = TimecodeFrameCountValue::Kind;
    if (lhs.kind_ != rhs.kind_) {
        return false;
    }
    switch (lhs.kind_) {
    case Kind::frames:
        return lhs.intFrames_ == rhs.intFrames_;
    case Kind::split:
        return lhs.intFrames_ == rhs.intFrames_ && lhs.intSubFrames_ == rhs.intSubFrames_;
    case Kind::combined:
        return lhs.real_ == rhs.real_;
    case Kind::splitUnitInterval:
        return lhs.intFrames_ == rhs.intFrames_ && lhs.real_ == rhs.real_;
    }
    return false;
}

std::size_t TimecodeFrameCountValue::hashValue() const {
    std::size_t seed = std::hash<int>()(static_cast<int>(kind_));
    const auto mix = [&seed](std::uint64_t value) {
        seed ^=
            std::hash<std::uint64_t>()(value) + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
    };
    // -0 and +0 are equal, so both hash as +0.
    const auto realBits = [](double value) {
        return std::bit_cast<std::uint64_t>(value == 0.0 ? 0.0 : value);
    };
    switch (kind_) {
    case Kind::frames:
        mix(static_cast<std::uint64_t>(intFrames_));
        break;
    case Kind::split:
        mix(static_cast<std::uint64_t>(intFrames_));
        mix(static_cast<std::uint64_t>(intSubFrames_));
        break;
    case Kind::combined:
        mix(realBits(real_));
        break;
    case Kind::splitUnitInterval:
        mix(static_cast<std::uint64_t>(intFrames_));
        mix(realBits(real_));
        break;
    }
    return seed;
}

} // namespace dovovevozav
