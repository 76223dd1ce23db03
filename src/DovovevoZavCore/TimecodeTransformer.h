#pragma once

#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeInterval.h"

#include <functional>
#include <variant>
#include <vector>

namespace dovovevozav {

/// An ordered list of changes applied to a timecode, with an on/off switch.
class TimecodeTransformer {
public:
    /// One change: move by an interval, replace by a function's result, or nothing.
    class Transform {
    public:
        using Function = std::function<Timecode(const Timecode&)>;

        /// Moves the timecode by the interval on its clock.
        static Transform offset(const TimecodeInterval& interval) { return Transform(interval); }
        /// Replaces the timecode by the function's result (it may be called on any thread).
        static Transform custom(Function function) { return Transform(std::move(function)); }
        /// No effect.
        static Transform none() { return Transform(std::monostate()); }

        /// The interval, function or nothing.
        const std::variant<TimecodeInterval, Function, std::monostate>& value() const {
            return value_;
        }

    private:
        explicit Transform(std::variant<TimecodeInterval, Function, std::monostate> value)
            : value_(std::move(value)) {}
        std::variant<TimecodeInterval, Function, std::monostate> value_;
    };

    /// A transformer of one transform, enabled.
    explicit TimecodeTransformer(Transform transform) : transforms{std::move(transform)} {}
    /// A transformer of a list of transforms, enabled.
    explicit TimecodeTransformer(std::vector<Transform> transforms)
        : transforms(std::move(transforms)) {}

    /// Applied first to last.
    std::vector<Transform> transforms;
    /// When false the transformer leaves timecodes unchanged.
    bool enabled = true;
};

} // namespace dovovevozav
