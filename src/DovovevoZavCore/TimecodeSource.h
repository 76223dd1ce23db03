#pragma once

#include "DovovevoZavCore/TimecodeComponents.h"
#include "DovovevoZavCore/TimecodeProperties.h"
#include "DovovevoZavCore/TimecodeSubFramesBase.h"
#include "DovovevoZavCore/TimecodeValidationRule.h"

#include <concepts>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace dovovevozav {

class Timecode;
class TimecodeFrameCount;
class Fraction;
class FeetAndFrames;
struct MediaTime;
class FormattedTimecodeSourceValue;

// A timecode is made from a source: a value that writes components into a timecode whose
// properties are already set. Each kind of source is a concept below; the boxes hold any
// source of their kind so that callers can pass sources around as plain values.

/// A source that can fail without a rule: `apply(target)` throws (leaving the target
/// unchanged), `apply(target, rule)` never throws.
template <class Source>
concept TimecodeSource = requires(const Source& source, Timecode& target,
                                  TimecodeValidationRule rule) {
    { source.apply(target) } -> std::same_as<void>;
    { source.apply(target, rule) } -> std::same_as<void>;
};

/// A source that sets components and never fails.
template <class Source>
concept GuaranteedTimecodeSource = requires(const Source& source, Timecode& target) {
    { source.apply(target) } -> std::same_as<void>;
}
&&!TimecodeSource<Source>;

/// A source that sets components and properties, returning the properties it set; fails like
/// a TimecodeSource.
template <class Source>
concept RichTimecodeSource = requires(const Source& source, Timecode& target,
                                      TimecodeValidationRule rule) {
    { source.apply(target) } -> std::same_as<TimecodeProperties>;
    { source.apply(target, rule) } -> std::same_as<TimecodeProperties>;
};

/// A source that sets components and properties and never fails.
template <class Source>
concept GuaranteedRichTimecodeSource = requires(const Source& source, Timecode& target) {
    { source.apply(target) } -> std::same_as<TimecodeProperties>;
}
&&!RichTimecodeSource<Source>;

/// The zero source: all six components 0; the target's properties stay.
/// The Timecode class names it Timecode::Zero.
struct TimecodeZero {
    /// Sets every component of the target to 0.
    void apply(Timecode& target) const;
};

/// Any timecode source as a value: components, frame counts, media times, fractions,
/// real-time seconds, samples, feet+frames.
class TimecodeSourceValue {
public:
    /// Boxes a source.
    template <TimecodeSource Source>
    requires(!std::same_as<std::remove_cvref_t<Source>, TimecodeSourceValue> &&
             !std::same_as<std::remove_cvref_t<Source>, FormattedTimecodeSourceValue>)
        TimecodeSourceValue(Source source) // NOLINT: implicit so that any source can be passed
        : value_(std::make_shared<const Model<Source>>(std::move(source))) {}

    /// Components.
    static TimecodeSourceValue components(const TimecodeComponents& components);
    /// Components given one by one.
    static TimecodeSourceValue components(std::int64_t days, std::int64_t hours,
                                          std::int64_t minutes, std::int64_t seconds,
                                          std::int64_t frames, std::int64_t subFrames = 0);
    /// Whole frames.
    static TimecodeSourceValue frames(std::int64_t frames);
    /// Whole frames plus subframes in the target's base.
    static TimecodeSourceValue split(std::int64_t frames, std::int64_t subFrames);
    /// Frames as a real number (as the timeline model stores clip times).
    static TimecodeSourceValue combinedFrames(double frames);
    /// Whole frames plus a fraction of a frame.
    static TimecodeSourceValue splitUnitInterval(std::int64_t frames, double subFramesUnitInterval);
    /// A frame count with its own subframes base.
    static TimecodeSourceValue frameCount(const TimecodeFrameCount& count);
    /// A media time.
    static TimecodeSourceValue mediaTime(const MediaTime& time);
    /// Real time as a fraction of seconds.
    static TimecodeSourceValue fraction(const Fraction& seconds);
    /// Real time in seconds.
    static TimecodeSourceValue seconds(double seconds);
    /// An audio sample position at a sample rate (samples per second).
    static TimecodeSourceValue samples(double samples, std::int64_t sampleRate);
    /// An audio sample position at a sample rate (samples per second).
    static TimecodeSourceValue samples(std::int64_t samples, std::int64_t sampleRate);
    /// Feet and frames.
    static TimecodeSourceValue feetAndFrames(const FeetAndFrames& feetAndFrames);
    /// Feet+frames text ("12+05.40"), parsed first; throws TimecodeStringParseError.
    static TimecodeSourceValue feetAndFramesText(std::string_view text,
                                                 TimecodeSubFramesBase subFramesBase);

    /// Writes the target; throws (TimecodeValidationError) leaving it unchanged.
    void apply(Timecode& target) const { value_->apply(target); }
    /// Writes the target under the rule; never throws.
    void apply(Timecode& target, TimecodeValidationRule rule) const { value_->apply(target, rule); }

private:
    struct Concept {
        virtual ~Concept() = default;
        virtual void apply(Timecode& target) const = 0;
        virtual void apply(Timecode& target, TimecodeValidationRule rule) const = 0;
    };
    template <class Source>
    struct Model final : Concept {
        explicit Model(Source source) : source(std::move(source)) {}
        void apply(Timecode& target) const override { source.apply(target); }
        void apply(Timecode& target, TimecodeValidationRule rule) const override {
            source.apply(target, rule);
        }
        Source source;
    };

    // Sources are immutable once boxed, so copies of a box may share one.
    std::shared_ptr<const Concept> value_;
};

/// Timecode text as a source ("01:00:00;00", "1 01:00:00:00.40").
class FormattedTimecodeSourceValue {
public:
    /// Boxes a text.
    FormattedTimecodeSourceValue(std::string text) : text_(std::move(text)) {} // NOLINT
    /// Boxes a text.
    FormattedTimecodeSourceValue(std::string_view text) : text_(text) {} // NOLINT
    /// Boxes a text.
    FormattedTimecodeSourceValue(const char* text) : text_(text) {} // NOLINT

    /// The text.
    const std::string& text() const { return text_; }

    /// Parses the text and stores its components after the range check. Throws
    /// TimecodeStringParseError or TimecodeValidationError::outOfBounds; the target is
    /// unchanged when it throws.
    void apply(Timecode& target) const;
    /// Parses the text and stores its components under the rule. Throws only
    /// TimecodeStringParseError (target unchanged).
    void apply(Timecode& target, TimecodeValidationRule rule) const;

private:
    std::string text_;
};

/// A source that cannot fail, as a value.
class GuaranteedTimecodeSourceValue {
public:
    /// Boxes a source.
    template <GuaranteedTimecodeSource Source>
    requires(!std::same_as<std::remove_cvref_t<Source>, GuaranteedTimecodeSourceValue>)
        GuaranteedTimecodeSourceValue(Source source) // NOLINT: implicit like TimecodeSourceValue
        : value_(std::make_shared<const Model<Source>>(std::move(source))) {}

    /// The zero source, built once.
    static const GuaranteedTimecodeSourceValue& zero();
    /// Random valid components for the target's properties, built once.
    static const GuaranteedTimecodeSourceValue& randomComponents();

    /// Writes the target.
    void apply(Timecode& target) const { value_->apply(target); }

private:
    struct Concept {
        virtual ~Concept() = default;
        virtual void apply(Timecode& target) const = 0;
    };
    template <class Source>
    struct Model final : Concept {
        explicit Model(Source source) : source(std::move(source)) {}
        void apply(Timecode& target) const override { source.apply(target); }
        Source source;
    };

    std::shared_ptr<const Concept> value_;
};

/// A source that sets components and properties, as a value.
class RichTimecodeSourceValue {
public:
    /// Boxes a source.
    template <RichTimecodeSource Source>
    requires(!std::same_as<std::remove_cvref_t<Source>, RichTimecodeSourceValue>)
        RichTimecodeSourceValue(Source source) // NOLINT: implicit like TimecodeSourceValue
        : value_(std::make_shared<const Model<Source>>(std::move(source))) {}

    /// Writes the target and returns the properties set; throws leaving it unchanged.
    TimecodeProperties apply(Timecode& target) const { return value_->apply(target); }
    /// Writes the target under the rule and returns the properties set; never throws.
    TimecodeProperties apply(Timecode& target, TimecodeValidationRule rule) const {
        return value_->apply(target, rule);
    }

private:
    struct Concept {
        virtual ~Concept() = default;
        virtual TimecodeProperties apply(Timecode& target) const = 0;
        virtual TimecodeProperties apply(Timecode& target, TimecodeValidationRule rule) const = 0;
    };
    template <class Source>
    struct Model final : Concept {
        explicit Model(Source source) : source(std::move(source)) {}
        TimecodeProperties apply(Timecode& target) const override { return source.apply(target); }
        TimecodeProperties apply(Timecode& target, TimecodeValidationRule rule) const override {
            return source.apply(target, rule);
        }
        Source source;
    };

    std::shared_ptr<const Concept> value_;
};

/// A source that sets components and properties and cannot fail, as a value.
class GuaranteedRichTimecodeSourceValue {
public:
    /// Boxes a source.
    template <GuaranteedRichTimecodeSource Source>
    requires(!std::same_as<std::remove_cvref_t<Source>, GuaranteedRichTimecodeSourceValue>)
        GuaranteedRichTimecodeSourceValue(Source source) // NOLINT: implicit like the other boxes
        : value_(std::make_shared<const Model<Source>>(std::move(source))) {}

    /// Random properties with random valid components, built once.
    static const GuaranteedRichTimecodeSourceValue& randomComponentsAndProperties();

    /// Writes the target and returns the properties set.
    TimecodeProperties apply(Timecode& target) const { return value_->apply(target); }

private:
    struct Concept {
        virtual ~Concept() = default;
        virtual TimecodeProperties apply(Timecode& target) const = 0;
    };
    template <class Source>
    struct Model final : Concept {
        explicit Model(Source source) : source(std::move(source)) {}
        TimecodeProperties apply(Timecode& target) const override { return source.apply(target); }
        Source source;
    };

    std::shared_ptr<const Concept> value_;
};

} // namespace dovovevozav
