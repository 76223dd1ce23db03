#pragma once

#include "DovovevoZavCore/TimecodeStringFormat.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <utility>
#include <vector>

namespace dovovevozav {

/// How a bound value tells that it changed: calling it with a context and a callback has the
/// callback run after each change of the value, until the context is destroyed. An empty
/// notice announces nothing.
using ChangeNotice =
    std::function<void(const QObject& context, const std::function<void()>& callback)>;

/// The change notice of a Qt signal: the callback runs whenever `sender` emits `signal`.
/// Nothing is connected once the sender is destroyed.
template <class Sender, class Signal>
ChangeNotice signalChangeNotice(const Sender* sender, Signal signal) {
    const QPointer<const Sender> guarded(sender);
    return [guarded, signal](const QObject& context, const std::function<void()>& callback) {
        if (guarded != nullptr) {
            QObject::connect(guarded.data(), signal, &context, callback);
        }
    };
}

/// A notice that announces every change the given notices announce (empty ones are skipped).
ChangeNotice combinedChangeNotice(std::vector<ChangeNotice> notices);

/// A two-way link to a value held elsewhere: reading gets the current value, writing stores
/// a new one where it lives. Controls take bindings so that their value stays with its owner.
/// A binding may carry a change notice, through which controls follow values written to the
/// storage by others; without one, the controls must be told (their refresh()).
template <class Value>
class Binding {
public:
    Binding(std::function<Value()> get, std::function<void(const Value&)> set,
            ChangeNotice changeNotice = {})
        : get_(std::move(get)), set_(std::move(set)), changeNotice_(std::move(changeNotice)) {}

    /// A binding that always reads `value` and drops every write; it never changes.
    static Binding constant(Value value) {
        return Binding([value] { return value; }, [](const Value&) {});
    }

    /// The same binding, also announcing a change whenever `sender` emits `signal` (a
    /// BindingNotifier for plain storage, or any object that signals its changes).
    template <class Sender, class Signal>
    Binding notifiedBy(const Sender* sender, Signal signal) const {
        return Binding(get_, set_,
                       combinedChangeNotice({changeNotice_, signalChangeNotice(sender, signal)}));
    }

    /// The current value.
    Value get() const { return get_(); }
    /// Stores a value through the binding.
    void set(const Value& value) const { set_(value); }

    /// The notice of this binding's changes; empty when it announces none.
    const ChangeNotice& changeNotice() const { return changeNotice_; }
    /// Runs `callback` after each announced change while `context` lives; false (and nothing
    /// connected) when the binding announces no changes.
    bool onChange(const QObject& context, const std::function<void()>& callback) const {
        if (!changeNotice_) {
            return false;
        }
        changeNotice_(context, callback);
        return true;
    }

private:
    std::function<Value()> get_;
    std::function<void(const Value&)> set_;
    ChangeNotice changeNotice_;
};

/// A switch for one option of a bound format: it reads whether the format contains the
/// option; writing true inserts it, false removes it, and the format is written back. It
/// announces the format's changes.
Binding<bool> formatOption(const Binding<TimecodeStringFormat>& format,
                           TimecodeStringFormatOption option);

} // namespace dovovevozav
