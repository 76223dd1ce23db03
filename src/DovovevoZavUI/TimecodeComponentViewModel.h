#pragma once

#include "DovovevoZavCore/Timecode.h"

#include <functional>

namespace dovovevozav {

/// The identity of one component view of a timecode field, for focus handling: which
/// component it edits and the field's properties, which decide the components shown. The
/// properties are observed as in TimecodeComponentStateModel.
class TimecodeComponentViewModel {
public:
    TimecodeComponentViewModel(TimecodeComponent component,
                               const TimecodeProperties& timecodeProperties)
        : component_(component), timecodeProperties_(timecodeProperties) {}

    /// Called after the properties changed.
    void setObserver(std::function<void()> observer) { observer_ = std::move(observer); }

    TimecodeComponent component() const { return component_; }
    const TimecodeProperties& timecodeProperties() const { return timecodeProperties_; }
    void setTimecodeProperties(const TimecodeProperties& properties);

    /// The components a field does not show and focus never visits: days under the 24-hour
    /// limit unless the format always shows them, and subframes unless the format shows them.
    TimecodeComponentSet excludedComponents(TimecodeStringFormat format) const;

private:
    TimecodeComponent component_;
    TimecodeProperties timecodeProperties_;
    std::function<void()> observer_;
};

} // namespace dovovevozav
