// Feet+frames text ("12+05", "12+05.40") under hostile bytes. Input: one byte picks the
// subframes base, frame rate and validation rule; the rest is the text. Whatever is read is
// written back, and applied to timecodes with and without a rule.
#include "DovovevoZavCore/FeetAndFrames.h"
#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeFrameCount.h"
#include "DovovevoZavCore/TimecodeSource.h"
#include "DovovevoZavCore/TimecodeStringParseError.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

namespace {

using dovovevozav::FeetAndFrames;
using dovovevozav::Timecode;

// Applying a length that fits must give a valid timecode of the same whole frame count.
void checkApplied(const FeetAndFrames& length, const Timecode::Properties& properties) {
    Timecode timecode(properties);
    try {
        length.apply(timecode);
    } catch (const Timecode::ValidationError&) {
        return;
    }
    if (!timecode.isValid()) {
        std::abort();
    }
    const bool subFramesFit = length.subFrames() < length.subFramesBase().rawValue();
    if (subFramesFit && timecode.feetAndFrames().totalFrames() != length.totalFrames()) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const auto rates = dovovevozav::TimecodeFrameRate::allCases();
    const auto bases = dovovevozav::TimecodeSubFramesBase::allCases();
    const auto rules = dovovevozav::allTimecodeValidationRules();
    const std::uint8_t choice = data[0];
    const auto base = bases[(choice & 3u) % bases.size()];
    const auto rule = rules[(choice >> 2) & 3u];
    const Timecode::Properties properties(rates[(choice >> 4) % rates.size()], base,
                                          (choice & 0x80u) ? Timecode::UpperLimit::max100Days
                                                           : Timecode::UpperLimit::max24Hours);
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    try {
        const FeetAndFrames length(text, base);
        (void)length.description();
        const FeetAndFrames again(
            FeetAndFrames::string(length.feet(), length.frames(), length.subFrames()), base);
        if (!(again == length)) {
            std::abort(); // written text must read back as the same length
        }
        try {
            (void)length.totalFrames();
            checkApplied(length, properties);
        } catch (const std::overflow_error&) {
        }
        Timecode ruled(properties);
        length.apply(ruled, rule);
        if (rule != Timecode::ValidationRule::allowingInvalid && !ruled.isValid()) {
            std::abort();
        }
        (void)ruled.formattedString();
    } catch (const dovovevozav::TimecodeStringParseError&) {
    }
    try {
        Timecode target(properties);
        dovovevozav::TimecodeSourceValue::feetAndFramesText(text, base).apply(target, rule);
        (void)target.feetAndFrames().description();
    } catch (const dovovevozav::TimecodeStringParseError&) {
    }
    return 0;
}
