#pragma once

#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavUI/KeyEquivalent.h"
#include "DovovevoZavUI/TimecodeFieldKeyResult.h"
#include "DovovevoZavUI/TimecodeFieldPolicies.h"

#include <cstdint>
#include <functional>
#include <string>

namespace dovovevozav {

/// The editing state of one timecode component in a timecode field: its value, the digits
/// typed into it, and whether it is "virgin" (not typed into since it last got focus or was
/// stepped, so that the next digit starts a new value). The key rules live here, free of any
/// toolkit: a key goes in, the state changes and a TimecodeFieldKeyResult comes out.
///
/// The properties, the value and the virgin flag are observed: writing a different value
/// calls the observer with the field written; writing an equal value stores it silently.
class TimecodeComponentStateModel {
public:
    enum class ObservedField { timecodeProperties, value, isVirgin };

    /// A virgin model with no typed text.
    TimecodeComponentStateModel(TimecodeComponent component,
                                const TimecodeProperties& timecodeProperties, std::int64_t value);

    /// Called after an observed field changed.
    void setObserver(std::function<void(ObservedField)> observer);

    TimecodeComponent component() const { return component_; }
    const TimecodeProperties& timecodeProperties() const { return timecodeProperties_; }
    void setTimecodeProperties(const TimecodeProperties& properties);
    std::int64_t value() const { return value_; }
    void setValue(std::int64_t value);
    /// The digits typed since the component was last reset; empty whenever it is virgin.
    const std::string& textInput() const { return textInput_; }
    bool isVirgin() const { return isVirgin_; }

    /// Sets the virgin flag; becoming (or staying) virgin empties the typed text.
    void setVirgin(bool virgin);
    /// Sets the value to 0 and empties the typed text; the virgin flag stays.
    void clearValue();

    /// The component's range in a timecode of zeros at the properties: 0 up to the largest
    /// value (the drop-frame minimum of frames never applies).
    TimecodeComponentRange validRange() const;
    /// Digits the component shows: 2; 3 for frames at the 119.88 and 120 rates; 1 for
    /// quarter-frame subframes.
    int digitCount() const;
    /// The value in decimal, zero-padded in front to the digit count; longer values whole.
    std::string displayText() const;

    /// The key rules. Digits are taken by the input style and refused (rejection invalid)
    /// when they would leave the range under enforceValid; "+"/up and "-"/down step the value,
    /// wrapping within the range; backspace and forward delete or clear remove digits; left
    /// and right arrows and ".", ":", ";", "," move focus; Escape and Return ask for the field's
    /// actions; any other key is ignored with the rejection undefinedKey.
    TimecodeFieldKeyResult handleKey(KeyEquivalent key, TimecodeFieldInputStyle inputStyle,
                                     TimecodeFieldValidationPolicy validationPolicy);

private:
    TimecodeFieldKeyResult stepValue(bool up);
    TimecodeFieldKeyResult deleteBackward();
    TimecodeFieldKeyResult enterDigit(char digit, TimecodeFieldInputStyle inputStyle,
                                      TimecodeFieldValidationPolicy validationPolicy);
    void publish(ObservedField field) const;

    TimecodeComponent component_;
    TimecodeProperties timecodeProperties_;
    std::int64_t value_;
    std::string textInput_;
    bool isVirgin_ = true;
    std::function<void(ObservedField)> observer_;
};

} // namespace dovovevozav
