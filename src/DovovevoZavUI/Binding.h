#pragma once

#include "DovovevoZavCore/TimecodeStringFormat.h"

#include <functional>
#include <utility>

namespace dovovevozav {

/// A two-way link to a value held elsewhere: reading gets the current value, writing stores
/// a new one where it lives. Controls take bindings so that their value stays with its owner.
template <class Value>
class Binding {
public:
    Binding(std::function<Value()> get, std::function<void(const Value&)> set)
        : get_(std::move(get)), set_(std::move(set)) {}

    /// A binding that always reads `value` and drops every write.
    static Binding constant(Value value) {
        return Binding([value] { return value; }, [](const Value&) {});
    }

    /// The current value.
    Value get() const { return get_(); }
    /// Stores a value through the binding.
    void set(const Value& value) const { set_(value); }

private:
    std::function<Value()> get_;
    std::function<void(const Value&)> set_;
};

/// A switch for one option of a bound format: it reads whether the format contains the
/// option; writing true inserts it, false removes it, and the format is written back.
Binding<bool> formatOption(const Binding<TimecodeStringFormat>& format,
                           TimecodeStringFormatOption option);

} // namespace dovovevozav
