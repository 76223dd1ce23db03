#include "DovovevoZavCore/TimecodeComponent.h"

namespace dovovevozav {

namespace {

constexpr std::array<std::string_view, 6> names = {"days",    "hours",  "minutes",
                                                   "seconds", "frames", "subFrames"};
constexpr std::array<std::string_view, 6> titles = {"Days",    "Hours",  "Minutes",
                                                    "Seconds", "Frames", "SubFrames"};
constexpr std::array<std::string_view, 6> lowercasedNames = {"days",    "hours",  "minutes",
                                                             "seconds", "frames", "subframes"};

} // namespace

std::string_view TimecodeComponent::name() const {
    return names[index()];
}

std::string_view TimecodeComponent::title() const {
    return titles[index()];
}

std::string_view TimecodeComponent::lowercasedName() const {
    return lowercasedNames[index()];
}

int TimecodeComponent::digitCount(TimecodeFrameRate frameRate,
                                  TimecodeSubFramesBase subFramesBase) const {
    switch (value_) {
    case frames:
        return frameRate.frameDigitCount();
    case subFrames:
        return subFramesBase.digitCount();
    case days:
    case hours:
    case minutes:
    case seconds:
        break;
    }
    return 2;
}

TimecodeComponent TimecodeComponent::first(const TimecodeComponentSet& excluded) {
    for (const TimecodeComponent component : allCases()) {
        if (!excluded.contains(component)) {
            return component;
        }
    }
    return days;
}

TimecodeComponent TimecodeComponent::last(const TimecodeComponentSet& excluded) {
    const auto cases = allCases();
    for (auto it = cases.rbegin(); it != cases.rend(); ++it) {
        if (!excluded.contains(*it)) {
            return *it;
        }
    }
    return subFrames;
}

TimecodeComponent TimecodeComponent::next(TimecodeComponent component,
                                          const TimecodeComponentSet& excluded, bool wrapping) {
    if (excluded.contains(component)) {
        return first(excluded);
    }
    for (std::size_t i = component.index() + 1; i < allCases().size(); ++i) {
        if (!excluded.contains(allCases()[i])) {
            return allCases()[i];
        }
    }
    return wrapping ? first(excluded) : component;
}

TimecodeComponent TimecodeComponent::previous(TimecodeComponent component,
                                              const TimecodeComponentSet& excluded, bool wrapping) {
    if (excluded.contains(component)) {
        return last(excluded);
    }
    for (std::size_t i = component.index(); i > 0; --i) {
        if (!excluded.contains(allCases()[i - 1])) {
            return allCases()[i - 1];
        }
    }
    return wrapping ? last(excluded) : component;
}

} // namespace dovovevozav
