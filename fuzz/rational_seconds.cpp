// Rational-seconds text ("1001/30000s", "-5s") under hostile bytes: reading must refuse what it
// cannot represent, and whatever it reads must survive being written and read again. The shell's
// readers of numbers typed into text fields run on the same text.
#include "DovovevoZavCore/Decimal.h"
#include "DovovevoZavCore/Fraction.h"
#include "DovovevoZavCore/MediaTime.h"
#include "app/TextUtilities.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using dovovevozav::Fraction;
using dovovevozav::FractionError;

// Writing a value and reading the text back must give the same value.
void checkRoundTrip(const Fraction& value) {
    auto again = Fraction::fromRationalSecondsString(value.rationalSecondsString());
    if (!again || !(*again == value)) {
        std::abort();
    }
}

// The arithmetic a reader applies to a parsed time: it may refuse, never misbehave.
void exercise(const Fraction& value) {
    (void)value.hashValue();
    (void)value.doubleValue();
    (void)value.isWholeNumber();
    (void)value.isInLowestTerms();
    (void)(value < Fraction(1001, 30000));
    try {
        (void)value.reduced();
        (void)value.mediaTime();
        (void)value.decimalValue();
        (void)(value + Fraction(1, 24));
        (void)(value * Fraction(30000, 1001));
        (void)(value / value);
        (void)-value;
    } catch (const FractionError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (auto value = Fraction::fromRationalSecondsString(text)) {
        checkRoundTrip(*value);
        exercise(*value);
    }
    (void)marrowvale::leadingIntegerValue(text);
    (void)marrowvale::leadingDoubleValue(text);
    return 0;
}
