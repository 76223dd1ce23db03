#include "DovovevoZavUI/TimecodeComponentStateModel.h"

#include "DovovevoZavCore/NumericUtilities.h"

#include <charconv>
#include <optional>
#include <string_view>
#include <utility>

namespace dovovevozav {

namespace {

using KeyResult = TimecodeFieldKeyResult;
using Reason = TimecodeFieldInputRejectionFeedback::Reason;

constexpr KeyResult handled{KeyResult::Result::handled, std::nullopt, std::nullopt};

KeyResult handledMovingFocus(KeyResult::FocusResult focus) {
    return {KeyResult::Result::handled, focus, std::nullopt};
}

// The integer a text spells; none for text that is no integer or does not fit 64 bits.
std::optional<std::int64_t> integer(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::string lastCharacters(const std::string& text, int count) {
    const auto size = static_cast<std::size_t>(count);
    return text.size() > size ? text.substr(text.size() - size) : text;
}

} // namespace

TimecodeComponentStateModel::TimecodeComponentStateModel(
    TimecodeComponent component, const TimecodeProperties& timecodeProperties, std::int64_t value)
    : component_(component), timecodeProperties_(timecodeProperties), value_(value) {}

void TimecodeComponentStateModel::setObserver(std::function<void(ObservedField)> observer) {
    observer_ = std::move(observer);
}

void TimecodeComponentStateModel::publish(ObservedField field) const {
    if (observer_) {
        observer_(field);
    }
}

void TimecodeComponentStateModel::setTimecodeProperties(const TimecodeProperties& properties) {
    if (properties != timecodeProperties_) {
        timecodeProperties_ = properties;
        publish(ObservedField::timecodeProperties);
    }
}

void TimecodeComponentStateModel::setValue(std::int64_t value) {
    if (value != value_) {
        value_ = value;
        publish(ObservedField::value);
    }
}

void TimecodeComponentStateModel::setVirgin(bool virgin) {
    if (virgin != isVirgin_) {
        isVirgin_ = virgin;
        publish(ObservedField::isVirgin);
    }
    if (isVirgin_) {
        textInput_.clear();
    }
}

void TimecodeComponentStateModel::clearValue() {
    setValue(0);
    textInput_.clear();
}

TimecodeComponentRange TimecodeComponentStateModel::validRange() const {
    return Timecode::allowedRange(component_, Timecode::Components::zero(),
                                  timecodeProperties_.frameRate, timecodeProperties_.subFramesBase,
                                  timecodeProperties_.upperLimit);
}

int TimecodeComponentStateModel::digitCount() const {
    return component_.digitCount(timecodeProperties_.frameRate, timecodeProperties_.subFramesBase);
}

std::string TimecodeComponentStateModel::displayText() const {
    const std::string text = std::to_string(value_);
    const auto digits = static_cast<std::size_t>(digitCount());
    return text.size() >= digits ? text : std::string(digits - text.size(), '0') + text;
}

TimecodeFieldKeyResult
TimecodeComponentStateModel::handleKey(KeyEquivalent key, TimecodeFieldInputStyle inputStyle,
                                       TimecodeFieldValidationPolicy validationPolicy) {
    const char32_t character = key.character;
    if (character >= U'0' && character <= U'9') {
        return enterDigit(static_cast<char>(character), inputStyle, validationPolicy);
    }
    if (character == U'+' || key == KeyEquivalent::upArrow) {
        return stepValue(true);
    }
    if (character == U'-' || key == KeyEquivalent::downArrow) {
        return stepValue(false);
    }
    if (key == KeyEquivalent::deleteKey || key == KeyEquivalent::deleteCharacter) {
        return deleteBackward();
    }
    if (key == KeyEquivalent::deleteForward || key == KeyEquivalent::clear) {
        clearValue();
        setVirgin(false);
        return handled;
    }
    if (key == KeyEquivalent::leftArrow) {
        return handledMovingFocus(KeyResult::FocusResult::focusPreviousComponent);
    }
    if (character == U'.' || character == U':' || character == U';' || character == U',' ||
        key == KeyEquivalent::rightArrow) {
        return handledMovingFocus(KeyResult::FocusResult::focusNextComponent);
    }
    if (key == KeyEquivalent::escape) {
        return {KeyResult::Result::performEscapeAction, std::nullopt, std::nullopt};
    }
    if (key == KeyEquivalent::returnKey || key == KeyEquivalent::enterCharacter) {
        return {KeyResult::Result::performReturnAction, std::nullopt, std::nullopt};
    }
    return {KeyResult::Result::ignored, std::nullopt, Reason::undefinedKey};
}

TimecodeFieldKeyResult TimecodeComponentStateModel::stepValue(bool up) {
    // Checked: a value at the largest (or smallest) integer has no neighbour and, being out of
    // range anyway, lands on the other end of the range like any other out-of-range value.
    const TimecodeComponentRange range = validRange();
    std::int64_t stepped = 0;
    const bool overflow = up ? __builtin_add_overflow(value_, 1, &stepped)
                             : __builtin_sub_overflow(value_, 1, &stepped);
    if (!overflow && range.contains(stepped)) {
        setValue(stepped);
    } else {
        setValue(up ? range.lowerBound : range.upperBound);
    }
    setVirgin(true);
    return handled;
}

TimecodeFieldKeyResult TimecodeComponentStateModel::deleteBackward() {
    const std::int64_t before = value_;
    if (isVirgin_) {
        clearValue();
        setVirgin(false);
    } else {
        if (!textInput_.empty()) {
            textInput_.pop_back();
        }
        setValue(integer(textInput_).value_or(0));
    }
    if (before == 0) {
        return handledMovingFocus(KeyResult::FocusResult::focusPreviousComponent);
    }
    return handled;
}

TimecodeFieldKeyResult
TimecodeComponentStateModel::enterDigit(char digit, TimecodeFieldInputStyle inputStyle,
                                        TimecodeFieldValidationPolicy validationPolicy) {
    const std::string candidate =
        isVirgin_ ? std::string(1, digit) : std::to_string(value_) + digit;
    std::optional<std::int64_t> number = integer(candidate);
    if (!number) {
        // Too many digits for an integer: the digit is dropped without complaint.
        setVirgin(false);
        return {KeyResult::Result::ignored, std::nullopt, std::nullopt};
    }
    std::string typed = textInput_ + digit;
    const int digits = digitCount();
    const bool enforceValid = validationPolicy == TimecodeFieldValidationPolicy::enforceValid;
    const auto refuses = [&](std::int64_t value) {
        return enforceValid && !validRange().contains(value);
    };
    const auto refuse = [this] {
        setVirgin(false);
        return KeyResult{KeyResult::Result::handled, std::nullopt, Reason::invalid};
    };

    std::optional<KeyResult::FocusResult> focus;
    switch (inputStyle) {
    case TimecodeFieldInputStyle::autoAdvance:
        if (refuses(*number)) {
            return refuse();
        }
        if (typed.size() > static_cast<std::size_t>(digits)) {
            // The component is full: the digit is dropped and focus asked to move on.
            setVirgin(false);
            return handledMovingFocus(KeyResult::FocusResult::focusNextComponent);
        }
        if (typed.size() == static_cast<std::size_t>(digits)) {
            focus = KeyResult::FocusResult::focusNextComponent;
        }
        break;
    case TimecodeFieldInputStyle::continuousWithinComponent:
        if (decimalDigitCount(*number) > digits) {
            number = integer(lastCharacters(std::to_string(*number), digits));
        }
        typed = lastCharacters(typed, digits);
        if (refuses(*number)) {
            return refuse();
        }
        break;
    case TimecodeFieldInputStyle::unbounded:
        if (refuses(*number)) {
            return refuse();
        }
        break;
    }
    setValue(*number);
    textInput_ = std::move(typed);
    setVirgin(false);
    return {KeyResult::Result::handled, focus, std::nullopt};
}

} // namespace dovovevozav
