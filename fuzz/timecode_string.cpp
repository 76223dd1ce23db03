// Timecode text ("01:00:00;00", "1 01:00:00:00.40") under hostile bytes, at every frame rate,
// subframes base, upper limit and validation rule. Input: one byte picks the frame rate, one
// the base, limit, rule and text format; the rest is the text.
#include "DovovevoZavCore/FeetAndFrames.h"
#include "DovovevoZavCore/MediaTime.h"
#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeFrameCount.h"
#include "DovovevoZavCore/TimecodeSource.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

using dovovevozav::FormattedTimecodeSourceValue;
using dovovevozav::Timecode;

// Everything the report and the readers ask of a timecode once it exists: none of it may
// misbehave, whatever the components hold.
void exercise(Timecode timecode, Timecode::StringFormat format) {
    (void)timecode.formattedString(format);
    (void)timecode.rateDescription();
    (void)timecode.isValid();
    (void)timecode.fitsDigitCounts();
    (void)timecode.frameCount().wholeFrames();
    (void)timecode.seconds();
    (void)timecode.samples(48000);
    (void)timecode.feetAndFrames().description();
    (void)timecode.isZero();
    try {
        (void)timecode.mediaTime();
    } catch (const std::overflow_error&) {
    }
    timecode.clampComponents();
    if (!timecode.isValid()) {
        std::abort(); // clamping must always give a valid timecode
    }
}

// What readers do with a parsed timecode next: convert it to a sequence's rate, offset and
// compare it. Rule forms never throw; checked forms refuse with a validation error only.
void combine(const Timecode& timecode, const Timecode& start,
             dovovevozav::TimecodeFrameRate otherRate, Timecode::ValidationRule rule) {
    (void)timecode.debugDescription();
    (void)timecode.hashValue();
    (void)timecode.compare(start);
    (void)timecode.compare(start, start);
    (void)(timecode < start);
    (void)(timecode == start);
    (void)timecode.distance(start);
    (void)timecode.advanced(-1);
    (void)timecode.addingWrapping(start);
    (void)timecode.subtractingWrapping(start);
    (void)timecode.multiplyingWrapping(1.5);
    (void)timecode.adding(start, rule);
    (void)timecode.subtracting(start, rule);
    (void)timecode.multiplying(2.0, rule);
    (void)timecode.ratioIfValid(start);
    try {
        (void)timecode.convertingFrameRate(otherRate);
        (void)timecode.convertingFrameRate(otherRate, std::nullopt, true);
        (void)timecode.adding(start);
    } catch (const Timecode::ValidationError&) {
    }
}

// A valid timecode written with its subframes must read back as the same components.
void checkRoundTrip(const Timecode& timecode) {
    const std::string text =
        timecode.formattedString({Timecode::StringFormatOption::showSubFrames});
    const Timecode again(FormattedTimecodeSourceValue(text), timecode.properties());
    if (!(again.components() == timecode.components())) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const auto rates = dovovevozav::TimecodeFrameRate::allCases();
    const auto bases = dovovevozav::TimecodeSubFramesBase::allCases();
    const auto limits = dovovevozav::TimecodeUpperLimit::allCases();
    const auto rules = dovovevozav::allTimecodeValidationRules();
    const std::uint8_t choice = data[1];
    const Timecode::Properties properties(rates[data[0] % rates.size()],
                                          bases[(choice & 3u) % bases.size()],
                                          limits[(choice >> 2) & 1u]);
    const auto rule = rules[(choice >> 3) & 3u];
    Timecode::StringFormat format;
    format.setAlwaysShowDays((choice & 0x20u) != 0);
    format.setShowSubFrames((choice & 0x40u) != 0);
    format.setFilenameCompatible((choice & 0x80u) != 0);
    const std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);

    try {
        (void)Timecode::parseComponents(text);
    } catch (const Timecode::StringParseError&) {
    }
    try {
        const Timecode checked(FormattedTimecodeSourceValue(text), properties);
        if (!checked.isValid()) {
            std::abort(); // the checked form must refuse what is out of range
        }
        checkRoundTrip(checked);
        exercise(checked, format);
    } catch (const Timecode::StringParseError&) {
    } catch (const Timecode::ValidationError&) {
    }
    try {
        const Timecode ruled(FormattedTimecodeSourceValue(text), properties, rule);
        exercise(ruled, format);
        // A sequence start such as readers hold: one hour at the same properties.
        const Timecode start(FormattedTimecodeSourceValue("01:00:00:00"), properties);
        combine(ruled, start, rates[(data[0] / rates.size()) % rates.size()], rule);
        combine(start, ruled, rates[(data[0] / rates.size()) % rates.size()], rule);
    } catch (const Timecode::StringParseError&) {
    }
    return 0;
}
