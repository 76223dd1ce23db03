#pragma once

#include "DovovevoZavCore/FeetAndFrames.h"
#include "DovovevoZavCore/Fraction.h"
#include "DovovevoZavCore/MediaTime.h"
#include "DovovevoZavCore/TimecodeComponent.h"
#include "DovovevoZavCore/TimecodeComponentRanges.h"
#include "DovovevoZavCore/TimecodeComponents.h"
#include "DovovevoZavCore/TimecodeFrameCount.h"
#include "DovovevoZavCore/TimecodeFrameRate.h"
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

#include <cstdint>
#include <string>
#include <string_view>

namespace dovovevozav {

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

    /// 00:00:00:00 at the properties.
    explicit Timecode(const Properties& properties = Properties());

    /// From a source at the properties; throws when the source is out of range.
    Timecode(const TimecodeSourceValue& source, const Properties& properties);
    /// From a source at a frame rate (base and limit default to 80 subframes and 24 hours).
    Timecode(const TimecodeSourceValue& source, TimecodeFrameRate frameRate,
             SubFramesBase subFramesBase = SubFramesBase::max80SubFrames,
             UpperLimit upperLimit = UpperLimit::max24Hours);
    /// From a source at the properties, brought into range by the rule; never throws.
    Timecode(const TimecodeSourceValue& source, const Properties& properties, ValidationRule rule);

    /// From timecode text at the properties; throws on malformed or out-of-range text.
    Timecode(const FormattedTimecodeSourceValue& source, const Properties& properties);
    /// From timecode text at a frame rate.
    Timecode(const FormattedTimecodeSourceValue& source, TimecodeFrameRate frameRate,
             SubFramesBase subFramesBase = SubFramesBase::max80SubFrames,
             UpperLimit upperLimit = UpperLimit::max24Hours);
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

private:
    Components components_;
    Properties properties_;
};

} // namespace dovovevozav
