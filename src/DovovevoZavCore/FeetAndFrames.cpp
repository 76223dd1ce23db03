#include "DovovevoZavCore/FeetAndFrames.h"

#include "DovovevoZavCore/Int128.h"
#include "DovovevoZavCore/NumericUtilities.h"
#include "DovovevoZavCore/RegexUtilities.h"
#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeCounting.h"

#include <optional>
#include <stdexcept>

namespace dovovevozav {

namespace {

constexpr std::string_view feetAndFramesPattern = R"(^([\d]+)\+([\d]+)(?:\.([\d]+))?$)";

// Longer texts cannot hold three 64-bit numbers; they are rejected before matching.
constexpr std::size_t maximumTextLength = 128;

// A captured group as a 64-bit integer; the pattern's \d also lets non-ASCII digits through,
// which do not convert.
std::int64_t groupValue(const std::optional<std::string>& group) {
    if (!group || group->empty() || group->front() == '-') {
        throw TimecodeStringParseError();
    }
    const auto value = parseDecimalInt64(*group);
    if (!value) {
        throw TimecodeStringParseError();
    }
    return *value;
}

// Feet x 16 + frames, exactly.
__int128 exactTotalFrames(const FeetAndFrames& value) {
    return static_cast<__int128>(value.feet()) * FeetAndFrames::framesPerFoot + value.frames();
}

// The total subframe count of the length at the target's base; subframes are rescaled from
// the length's base first, so they never spill into the frames.
__int128 subFrameCountAt(const FeetAndFrames& value, TimecodeSubFramesBase base) {
    return exactTotalFrames(value) * base.rawValue() +
           value.subFramesBase().convert(value.subFrames(), base);
}

// Keeps the pattern's "%02ld" shape: at least two digits, a minus sign inside the width.
std::string twoDigits(std::int64_t value) {
    const std::string text = std::to_string(value);
    return (value >= 0 && value < 10) ? "0" + text : text;
}

} // namespace

FeetAndFrames::FeetAndFrames(std::string_view text, TimecodeSubFramesBase subFramesBase)
    : subFramesBase_(subFramesBase) {
    if (text.size() > maximumTextLength) {
        throw TimecodeStringParseError();
    }
    const auto groups = regexCaptureGroups(text, feetAndFramesPattern);
    if (groups.size() < 4) {
        throw TimecodeStringParseError();
    }
    feet_ = groupValue(groups[1]);
    frames_ = groupValue(groups[2]);
    subFrames_ = groups[3] ? groupValue(groups[3]) : 0;
}

std::int64_t FeetAndFrames::totalFrames() const {
    const __int128 total = exactTotalFrames(*this);
    if (!fitsInt64(total)) {
        throw std::overflow_error("Feet and frames leave the 64-bit range.");
    }
    return static_cast<std::int64_t>(total);
}

std::string FeetAndFrames::string(std::int64_t feet, std::int64_t frames) {
    return std::to_string(feet) + "+" + twoDigits(frames);
}

std::string FeetAndFrames::string(std::int64_t feet, std::int64_t frames, std::int64_t subFrames) {
    return string(feet, frames) + "." + twoDigits(subFrames);
}

void FeetAndFrames::apply(Timecode& target) const {
    const TimecodeProperties& properties = target.properties();
    const __int128 count = subFrameCountAt(*this, properties.subFramesBase);
    if (count < 0 || count > target.lastSubFrameCountOfSpan()) {
        throw TimecodeValidationError(TimecodeValidationError::outOfBounds);
    }
    target.setComponents(detail::componentsOfSubFrameCount(count, properties));
}

void FeetAndFrames::apply(Timecode& target, TimecodeValidationRule rule) const {
    const TimecodeProperties& properties = target.properties();
    const __int128 count = subFrameCountAt(*this, properties.subFramesBase);
    switch (rule) {
    case TimecodeValidationRule::clamping:
    case TimecodeValidationRule::clampingComponents:
        target.setComponents(detail::clampedComponents(count, properties));
        return;
    case TimecodeValidationRule::wrapping:
        target.setComponents(detail::wrappedComponents(count, properties));
        return;
    case TimecodeValidationRule::allowingInvalid:
        target.setComponents(detail::componentsOfSubFrameCount(count, properties));
        return;
    }
}

FeetAndFrames Timecode::feetAndFrames() const {
    const std::int64_t wholeFrames = frameCount().wholeFrames();
    return FeetAndFrames(wholeFrames / FeetAndFrames::framesPerFoot,
                         wholeFrames % FeetAndFrames::framesPerFoot, components_.subFrames,
                         properties_.subFramesBase);
}

} // namespace dovovevozav
