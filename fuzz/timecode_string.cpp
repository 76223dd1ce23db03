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
    if (!timecode.isValid())
        std::abort(); // clamping must always give a valid timecode
}

// A valid timecode written with its subframes must read back as the same components.
void checkRoundTrip(const Timecode& timecode) {
    const std::string text =
        timecode.formattedString({Timecode::StringFormatOption::showSubFrames});
    const Timecode again(FormattedTimecodeSourceValue(text), timecode.properties());
    if (!(again.components() == timecode.components()))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
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
        if (!checked.isValid())
            std::abort(); // the checked form must refuse what is out of range
        checkRoundTrip(checked);
        exercise(checked, format);
    } catch (const Timecode::StringParseError&) {
    } catch (const Timecode::ValidationError&) {
    }
    try {
        const Timecode ruled(FormattedTimecodeSourceValue(text), properties, rule);
        exercise(ruled, format);
    } catch (const Timecode::StringParseError&) {
    }
    return 0;
}
