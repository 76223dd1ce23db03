#pragma once

#include "DovovevoZavCore/ComparisonResult.h"
#include "DovovevoZavCore/FeetAndFrames.h"
#include "DovovevoZavCore/Fraction.h"
#include "DovovevoZavCore/IntervalSign.h"
#include "DovovevoZavCore/MediaTime.h"
#include "DovovevoZavCore/TimecodeComponent.h"
#include "DovovevoZavCore/TimecodeComponentRanges.h"
#include "DovovevoZavCore/TimecodeComponents.h"
#include "DovovevoZavCore/TimecodeFrameCount.h"
#include "DovovevoZavCore/TimecodeFrameRate.h"
#include "DovovevoZavCore/TimecodeOperand.h"
#include "DovovevoZavCore/TimecodeProperties.h"
#include "DovovevoZavCore/TimecodeRandomSources.h"
#include "DovovevoZavCore/TimecodeRealTimeSources.h"
#include "DovovevoZavCore/TimecodeSource.h"
#include "DovovevoZavCore/TimecodeStringFormat.h"
#include "DovovevoZavCore/TimecodeStringParseError.h"
#include "DovovevoZavCore/TimecodeSubFramesBase.h"
#include "DovovevoZavCore/TimecodeUpperLimit.h"
#include "DovovevoZavCore/TimecodeValidationError.h"
#include "DovovevoZavCore/TimecodeValidationRule.h"

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace dovovevozav {

class TimecodeInterval;
class TimecodeTransformer;

/// A timecode: six integer components (days, hours, minutes, seconds, frames, subframes) with
/// the properties that give them meaning (frame rate, subframes base, upper limit).
///
/// Validity is not an invariant: a timecode is made from a source (components, frame counts,
/// real time, media time, text, feet+frames ...) which is range-checked unless a validation
/// rule says how to bring it into range; setComponents() and the property setters store
/// values as they are, and isValid() tells whether they fit.
///
/// The members are grouped by concern; each group lives in its own source file
/// (Timecode.cpp, TimecodeFrameCounting.cpp, TimecodeRealTime.cpp, TimecodeString.cpp,
/// FeetAndFrames.cpp). Further operations (frame-rate conversion, comparison, arithmetic,
/// intervals, encoding, transfer) are added as further groups in their own files.
class Timecode {
public:
    using Component = TimecodeComponent;
    using ComponentSet = TimecodeComponentSet;
    using Components = TimecodeComponents;
    using ComponentRange = TimecodeComponentRange;
    using ComponentRanges = TimecodeComponentRanges;
    using Properties = TimecodeProperties;
    using SubFramesBase = TimecodeSubFramesBase;
    using UpperLimit = TimecodeUpperLimit;
    using ValidationRule = TimecodeValidationRule;
    using ValidationError = TimecodeValidationError;
    using StringParseError = TimecodeStringParseError;
    using FrameCount = TimecodeFrameCount;
    using StringFormatOption = TimecodeStringFormatOption;
    using StringFormat = TimecodeStringFormat;
    using Zero = TimecodeZero;
    using SafeRandomComponents = TimecodeSafeRandomComponents;
    using UnsafeRandomComponents = TimecodeUnsafeRandomComponents;
    using SafeRandomComponentsAndProperties = TimecodeSafeRandomComponentsAndProperties;
    using UnsafeRandomComponentsAndProperties = TimecodeUnsafeRandomComponentsAndProperties;

    // ---- Making a timecode from a source (Timecode.cpp) ----
    // Every constructor starts from all components 0 at the given properties and applies the
    // source. Forms without a rule throw TimecodeValidationError (and text sources
    // TimecodeStringParseError); forms with a rule bring the value into range instead.
    // A frame rate alone converts to properties with base 80 and the 24-hour limit.

    /// 00:00:00:00 at the properties.
    explicit Timecode(const Properties& properties = Properties());

    /// From a source at the properties; throws when the source is out of range.
    Timecode(const TimecodeSourceValue& source, const Properties& properties);
    /// From a source at the properties, brought into range by the rule; never throws.
    Timecode(const TimecodeSourceValue& source, const Properties& properties, ValidationRule rule);

    /// From timecode text at the properties; throws on malformed or out-of-range text.
    Timecode(const FormattedTimecodeSourceValue& source, const Properties& properties);
    /// From timecode text under a rule; throws only on malformed text.
    Timecode(const FormattedTimecodeSourceValue& source, const Properties& properties,
             ValidationRule rule);

    /// From a source that cannot fail.
    Timecode(const GuaranteedTimecodeSourceValue& source, const Properties& properties);

    /// From a source that also supplies the properties; throws when out of range.
    explicit Timecode(const RichTimecodeSourceValue& source);
    /// From a source that also supplies the properties, under a rule.
    Timecode(const RichTimecodeSourceValue& source, ValidationRule rule);
    /// From a source that supplies the properties and cannot fail.
    explicit Timecode(const GuaranteedRichTimecodeSourceValue& source);

    // ---- Setting from a source (Timecode.cpp) ----
    // The setters keep the properties (rich sources replace them) and write only when the
    // whole operation succeeded; the `setting` forms return a changed copy.

    /// Applies a source; throws leaving this timecode unchanged.
    void set(const TimecodeSourceValue& source);
    /// Applies a source under a rule.
    void set(const TimecodeSourceValue& source, ValidationRule rule);
    /// Applies timecode text; throws leaving this timecode unchanged.
    void set(const FormattedTimecodeSourceValue& source);
    /// Applies timecode text under a rule; throws only on malformed text.
    void set(const FormattedTimecodeSourceValue& source, ValidationRule rule);
    /// Applies a source that cannot fail.
    void set(const GuaranteedTimecodeSourceValue& source);
    /// Applies a rich source (properties included); throws leaving this timecode unchanged.
    void set(const RichTimecodeSourceValue& source);
    /// Applies a rich source under a rule.
    void set(const RichTimecodeSourceValue& source, ValidationRule rule);
    /// Applies a rich source that cannot fail.
    void set(const GuaranteedRichTimecodeSourceValue& source);

    /// A copy with the source applied; throws.
    Timecode setting(const TimecodeSourceValue& source) const;
    /// A copy with the source applied under a rule.
    Timecode setting(const TimecodeSourceValue& source, ValidationRule rule) const;
    /// A copy with timecode text applied; throws.
    Timecode setting(const FormattedTimecodeSourceValue& source) const;
    /// A copy with timecode text applied under a rule; throws only on malformed text.
    Timecode setting(const FormattedTimecodeSourceValue& source, ValidationRule rule) const;
    /// A copy with a source applied that cannot fail.
    Timecode setting(const GuaranteedTimecodeSourceValue& source) const;
    /// A copy with a rich source applied; throws.
    Timecode setting(const RichTimecodeSourceValue& source) const;
    /// A copy with a rich source applied under a rule.
    Timecode setting(const RichTimecodeSourceValue& source, ValidationRule rule) const;
    /// A copy with a rich source applied that cannot fail.
    Timecode setting(const GuaranteedRichTimecodeSourceValue& source) const;

    // ---- Stored values (Timecode.cpp) ----
    // Writing through these applies no range test and no rule.

    /// The six components.
    const Components& components() const { return components_; }
    /// Replaces the components as they are.
    void setComponents(const Components& components) { components_ = components; }
    /// Frame rate, subframes base and upper limit.
    const Properties& properties() const { return properties_; }
    /// Replaces the properties; the components stay.
    void setProperties(const Properties& properties) { properties_ = properties; }
    /// The frame rate.
    TimecodeFrameRate frameRate() const { return properties_.frameRate; }
    /// Replaces the frame rate; the components stay.
    void setFrameRate(TimecodeFrameRate frameRate) { properties_.frameRate = frameRate; }
    /// The subframes base.
    SubFramesBase subFramesBase() const { return properties_.subFramesBase; }
    /// Replaces the subframes base; the components stay.
    void setSubFramesBase(SubFramesBase base) { properties_.subFramesBase = base; }
    /// The upper limit.
    UpperLimit upperLimit() const { return properties_.upperLimit; }
    /// Replaces the upper limit; the components stay.
    void setUpperLimit(UpperLimit limit) { properties_.upperLimit = limit; }

    // ---- Validity (Timecode.cpp) ----

    /// The closed range allowed for a component of this timecode (frames depend on its
    /// minutes and seconds at drop-frame rates).
    ComponentRange allowedRange(Component component) const;
    /// The closed range allowed for a component, from explicit inputs.
    static ComponentRange allowedRange(Component component, const Components& components,
                                       TimecodeFrameRate frameRate, SubFramesBase subFramesBase,
                                       UpperLimit upperLimit);
    /// The components outside their allowed ranges; empty when valid.
    ComponentSet invalidComponents() const;
    /// True when every component lies in its allowed range.
    bool isValid() const { return invalidComponents().empty(); }
    /// True when no component has more digits than its text form shows (sign not counted).
    bool fitsDigitCounts() const;
    /// Clamps each component into its allowed range (frames after minutes and seconds).
    void clampComponents();

    // ---- Frame counts (TimecodeFrameCounting.cpp) ----

    /// The frame count of components at a rate and base (drop-frame aware). Components whose
    /// count leaves the signed 64-bit range give 0 frames. Never fails.
    static FrameCount frameCount(const Components& components, TimecodeFrameRate frameRate,
                                 SubFramesBase subFramesBase);
    /// The frame count of this timecode.
    FrameCount frameCount() const;
    /// The components of a frame count at a rate, in the count's own base; exact, with
    /// drop-frame numbering and no range check. Never fails (counts without an exact value
    /// saturate, not-a-number counts as 0).
    static Components components(const FrameCount& frameCount, TimecodeFrameRate frameRate);
    /// True when the frame count is zero.
    bool isZero() const;
    /// The largest subframe value of the base: 79, 99 or 3.
    std::int64_t lastSubFrameValue() const { return properties_.subFramesBase.lastSubFrameValue(); }
    /// The last frame of the span with the largest subframe value.
    FrameCount lastFrameCountOfSpan() const;
    /// Subframes in the span minus one.
    std::int64_t lastSubFrameCountOfSpan() const { return properties_.spanSubFrames() - 1; }

    // ---- Real time (TimecodeRealTime.cpp) ----

    /// Real time in seconds at the rate's real-time rate (30d counts at 30 fps).
    double seconds() const;
    /// Real time as a reduced media time. Throws std::overflow_error when the components
    /// are so large that the time does not fit 64 bits.
    MediaTime mediaTime() const;
    /// Real time as a reduced fraction of seconds; throws as mediaTime().
    Fraction fraction() const;
    /// Sample position at the rate, rounded half away from zero; 0 when not representable.
    std::int64_t samples(std::int64_t sampleRate) const;
    /// Sample position as a real number, not rounded.
    double samplesDouble(std::int64_t sampleRate) const;

    // ---- Text (TimecodeString.cpp) ----

    /// The text form: "01:00:00:00", "01:00:00;00" (drop-frame), "1 01:00:00:00" (days),
    /// "10:00:00:00.40" (subframes), "10-00-00-00" (file names). Never fails.
    std::string formattedString(StringFormat format = StringFormat()) const;
    /// The text with subframes, " @ " and the frame rate's long name.
    std::string rateDescription() const;
    /// Components of timecode text ("01:00:00:00", "1 01:00:00;00.40"); no range check.
    /// Throws TimecodeStringParseError when the text is no timecode.
    static Components parseComponents(std::string_view text);

    // ---- Feet and frames (FeetAndFrames.cpp) ----

    /// Whole frames of the frame count as feet and frames (16 frames a foot, truncating),
    /// with this timecode's subframes and base unchanged.
    FeetAndFrames feetAndFrames() const;

    // ---- Frame-rate conversion (TimecodeConversion.cpp) ----

    /// The same moment at another frame rate and subframes base (absent: this base). With
    /// `keepingComponents` the components are kept when they are valid at the new properties.
    /// The upper limit stays. Throws TimecodeValidationError::outOfBounds when the moment lies
    /// outside the new range.
    Timecode convertingFrameRate(TimecodeFrameRate frameRate,
                                 std::optional<SubFramesBase> subFramesBase = std::nullopt,
                                 bool keepingComponents = false) const;

    // ---- Wrapping arithmetic (TimecodeWrapping.cpp) ----
    // On the circular clock of the receiver's upper limit; never fails. The other timecode is
    // converted to this frame rate first (a failed conversion leaves this timecode as it is)
    // and its subframes are rescaled to this base.

    /// This + other, wrapped.
    Timecode addingWrapping(const Timecode& other) const;
    /// This - other, wrapped.
    Timecode subtractingWrapping(const Timecode& other) const;
    /// Adds other in place, wrapped.
    void addWrapping(const Timecode& other);
    /// Subtracts other in place, wrapped.
    void subtractWrapping(const Timecode& other);
    /// This x factor, wrapped (a factor that is not finite gives 00:00:00:00).
    Timecode multiplyingWrapping(double factor) const;
    /// This x an integer factor (converted to the nearest double), wrapped.
    template <IntegerFactor Factor>
    Timecode multiplyingWrapping(Factor factor) const {
        return multiplyingWrapping(static_cast<double>(factor));
    }
    /// This / divisor, wrapped (division by zero gives 00:00:00:00).
    Timecode dividingWrapping(double divisor) const;
    /// This / an integer divisor, wrapped.
    template <IntegerFactor Divisor>
    Timecode dividingWrapping(Divisor divisor) const {
        return dividingWrapping(static_cast<double>(divisor));
    }
    /// Multiplies in place, wrapped.
    void multiplyWrapping(double factor) { *this = multiplyingWrapping(factor); }
    /// Multiplies in place by an integer, wrapped.
    template <IntegerFactor Factor>
    void multiplyWrapping(Factor factor) {
        *this = multiplyingWrapping(static_cast<double>(factor));
    }
    /// Divides in place, wrapped.
    void divideWrapping(double divisor) { *this = dividingWrapping(divisor); }
    /// Divides in place by an integer, wrapped.
    template <IntegerFactor Divisor>
    void divideWrapping(Divisor divisor) {
        *this = dividingWrapping(static_cast<double>(divisor));
    }

    // ---- Arithmetic (TimecodeArithmetic.cpp) ----
    // On the total subframe count at this timecode's properties; the result keeps them.
    // Forms without a rule throw TimecodeValidationError::outOfBounds for a result outside
    // the span; with a rule the result is clamped, wrapped or kept as it is. A timecode
    // operand at another frame rate is converted first (its error is thrown); its subframes
    // are rescaled to this base. In-place forms write only when the operation succeeded.

    /// This + operand; throws when out of range.
    Timecode adding(const TimecodeOperand& operand) const;
    /// This + operand under the rule.
    Timecode adding(const TimecodeOperand& operand, ValidationRule rule) const;
    /// Adds in place; unchanged when it throws.
    void add(const TimecodeOperand& operand);
    /// Adds in place under the rule.
    void add(const TimecodeOperand& operand, ValidationRule rule);
    /// This - operand; throws when out of range.
    Timecode subtracting(const TimecodeOperand& operand) const;
    /// This - operand under the rule.
    Timecode subtracting(const TimecodeOperand& operand, ValidationRule rule) const;
    /// Subtracts in place; unchanged when it throws.
    void subtract(const TimecodeOperand& operand);
    /// Subtracts in place under the rule.
    void subtract(const TimecodeOperand& operand, ValidationRule rule);
    /// This x factor (truncated to whole subframes); throws when out of range or not finite.
    Timecode multiplying(double factor) const;
    /// This x factor under the rule (a result that is not finite counts as 0).
    Timecode multiplying(double factor, ValidationRule rule) const;
    /// Multiplies in place; unchanged when it throws.
    void multiply(double factor) { *this = multiplying(factor); }
    /// Multiplies in place under the rule.
    void multiply(double factor, ValidationRule rule) { *this = multiplying(factor, rule); }
    /// This / divisor; throws when out of range or not finite.
    Timecode dividing(double divisor) const;
    /// This / divisor under the rule (a result that is not finite counts as 0).
    Timecode dividing(double divisor, ValidationRule rule) const;
    /// Divides in place; unchanged when it throws.
    void divide(double divisor) { *this = dividing(divisor); }
    /// Divides in place under the rule.
    void divide(double divisor, ValidationRule rule) { *this = dividing(divisor, rule); }
    /// This count / the other's count (both at this timecode's properties). Throws
    /// TimecodeValidationError::outOfBounds when the ratio is negative, infinite or beyond the
    /// span; 0 / 0 gives not-a-number.
    double ratio(const Timecode& other) const;
    /// This count / the components' count at this timecode's properties.
    double ratio(const Components& components) const;
    /// ratio() without throwing: nothing where ratio() throws.
    std::optional<double> ratioIfValid(const Timecode& other) const;
    /// When a component finer than `component` is above 0, adds one unit of `component` and
    /// zeroes the finer ones; throws outOfBounds past the limit (unchanged).
    void roundUp(Component component);
    /// A copy rounded up; throws as roundUp().
    Timecode roundedUp(Component component) const;
    /// Zeroes every component finer than `component` that is above 0.
    void roundDown(Component component);
    /// A copy rounded down.
    Timecode roundedDown(Component component) const;

    // ---- Comparison (TimecodeComparison.cpp) ----

    /// Same frame rate, same subframes base when both have subframes, and the same real time
    /// rounded to 9 decimal places. The upper limit is not compared.
    friend bool operator==(const Timecode& lhs, const Timecode& rhs);
    /// Earlier real time (rounded to 9 places), whatever the frame rates.
    friend bool operator<(const Timecode& lhs, const Timecode& rhs);
    friend bool operator>(const Timecode& lhs, const Timecode& rhs) { return rhs < lhs; }
    friend bool operator<=(const Timecode& lhs, const Timecode& rhs) { return !(rhs < lhs); }
    friend bool operator>=(const Timecode& lhs, const Timecode& rhs) { return !(lhs < rhs); }
    /// Order against another timecode by real time: orderedSame when equal, otherwise
    /// ascending or descending.
    ComparisonResult compare(const Timecode& other) const;
    /// Order against another timecode on a timeline that starts at `timelineStart` and may
    /// run past midnight: timecodes below the start come after those at or above it.
    ComparisonResult compare(const Timecode& other, const Timecode& timelineStart) const;
    /// A hash that agrees with equality (frame rate and rounded real time).
    std::size_t hashValue() const;
    /// Whole frames of other minus whole frames of this, each at its own rate and base.
    std::int64_t distance(const Timecode& other) const;
    /// This plus a number of frames, clamped to the span.
    Timecode advanced(std::int64_t frames) const;
    /// The text with subframes: "01:00:00:00.00".
    std::string description() const;
    /// "Timecode<01:00:00:00.00 @ 24 fps>" (days shown for the 100-day limit).
    std::string debugDescription() const;

    // ---- Intervals and transforms (TimecodeIntervalOperations.cpp) ----

    /// This timecode as the magnitude of an interval with the given sign.
    TimecodeInterval signedInterval(IntervalSign sign) const;
    /// The interval from this timecode to another (zero, plus, when the other cannot be
    /// converted to this frame rate).
    TimecodeInterval interval(const Timecode& other) const;
    /// This timecode moved by an interval on its clock (unchanged when the interval cannot be
    /// converted to this frame rate).
    Timecode offsetting(const TimecodeInterval& interval) const;
    /// Moves this timecode by an interval in place.
    void offset(const TimecodeInterval& interval) { *this = offsetting(interval); }
    /// This timecode with the transformer applied.
    Timecode transformed(const TimecodeTransformer& transformer) const;
    /// Applies the transformer in place.
    void transform(const TimecodeTransformer& transformer) { *this = transformed(transformer); }

private:
    Components components_;
    Properties properties_;
};

} // namespace dovovevozav

template <>
struct std::hash<dovovevozav::Timecode> {
    std::size_t operator()(const dovovevozav::Timecode& timecode) const noexcept {
        return timecode.hashValue();
    }
};
