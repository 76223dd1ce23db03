#include "DovovevoZavUI/TimecodeComponentViewModel.h"

namespace dovovevozav {

void TimecodeComponentViewModel::setTimecodeProperties(const TimecodeProperties& properties) {
    if (properties != timecodeProperties_) {
        timecodeProperties_ = properties;
        if (observer_) {
            observer_();
        }
    }
}

TimecodeComponentSet
TimecodeComponentViewModel::excludedComponents(TimecodeStringFormat format) const {
    TimecodeComponentSet excluded;
    if (!format.alwaysShowDays() &&
        timecodeProperties_.upperLimit == TimecodeUpperLimit::max24Hours) {
        excluded.insert(TimecodeComponent::days);
    }
    if (!format.showSubFrames()) {
        excluded.insert(TimecodeComponent::subFrames);
    }
    return excluded;
}

} // namespace dovovevozav
