#include "DovovevoZavCore/VideoFrameRate.h"

#include "DovovevoZavCore/NumericUtilities.h"
#include "DovovevoZavCore/TimecodeFrameRate.h"

#include <array>
#include <cmath>

namespace dovovevozav {

namespace {

using Video = VideoFrameRate;
using Timecode = TimecodeFrameRate;

/// One row of the picture-rate table.
struct VideoRow {
    std::string_view displayString;
    std::string_view rawValue;
    bool interlaced;
    Fraction rate;
    Fraction frameDuration;
    std::int64_t alternateNumerator; // 0: no alternate duration
    std::int64_t alternateDenominator;
    std::optional<Timecode::Value> nonDrop;
    std::optional<Timecode::Value> drop;
};

constexpr std::optional<Timecode::Value> kNone = std::nullopt;

// clang-format off
const std::array<VideoRow, Video::caseCount> kRows{{
    // display   raw        interl. rate           frame duration  alternate      timecode nonDrop     drop
    {"23.98p",   "23.98p",  false, {24000, 1001},  {1001, 24000},  1000, 23976,   Timecode::fps23_976, kNone},
    {"24p",      "24p",     false, {24, 1},        {100, 2400},    0, 0,          Timecode::fps24,     kNone},
    {"25p",      "25p",     false, {25, 1},        {100, 2500},    0, 0,          Timecode::fps25,     kNone},
    {"25i",      "25i",     true,  {25, 1},        {200, 5000},    0, 0,          Timecode::fps25,     kNone},
    {"29.97p",   "29.97p",  false, {30000, 1001},  {1001, 30000},  1000, 29970,   Timecode::fps29_97,  Timecode::fps29_97d},
    {"29.97i",   "29.97i",  true,  {30000, 1001},  {2002, 60000},  2000, 59940,   Timecode::fps29_97,  Timecode::fps29_97d},
    {"30p",      "30p",     false, {30, 1},        {100, 3000},    0, 0,          Timecode::fps30,     Timecode::fps30d},
    {"47.95p",   "47.95p",  false, {48000, 1001},  {1001, 48000},  1000, 47952,   Timecode::fps47_952, kNone},
    {"48p",      "48p",     false, {48, 1},        {100, 4800},    0, 0,          Timecode::fps48,     kNone},
    {"50p",      "50p",     false, {50, 1},        {100, 5000},    0, 0,          Timecode::fps50,     kNone},
    {"50i",      "50i",     true,  {50, 1},        {200, 10000},   0, 0,          Timecode::fps50,     kNone},
    {"59.94p",   "59.94p",  false, {60000, 1001},  {1001, 60000},  1000, 59940,   Timecode::fps59_94,  Timecode::fps59_94d},
    {"59.94i",   "59.94i",  true,  {60000, 1001},  {2002, 120000}, 2000, 119880,  Timecode::fps59_94,  Timecode::fps59_94d},
    {"60p",      "60p",     false, {60, 1},        {100, 6000},    0, 0,          Timecode::fps60,     Timecode::fps60d},
    {"60i",      "60i",     true,  {60, 1},        {200, 12000},   0, 0,          Timecode::fps60,     kNone},
    {"90p",      "90p",     false, {90, 1},        {100, 9000},    0, 0,          Timecode::fps90,     kNone},
    {"95.9p",    "95.9p",   false, {96000, 1001},  {1001, 96000},  1000, 95904,   Timecode::fps95_904, kNone},
    {"96p",      "96p",     false, {96, 1},        {100, 9600},    0, 0,          Timecode::fps96,     kNone},
    {"100p",     "100p",    false, {100, 1},       {100, 10000},   0, 0,          Timecode::fps100,    kNone},
    {"119.88pp", "119.88p", false, {120000, 1001}, {1001, 120000}, 1000, 119880,  Timecode::fps119_88, Timecode::fps119_88d},
    {"120p",     "120p",    false, {120, 1},       {100, 12000},   0, 0,          Timecode::fps120,    kNone},
}};
// clang-format on

/// Every rate, in case order.
constexpr auto kAllCases = [] {
    std::array<Video, Video::caseCount> cases{};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        cases[i] = static_cast<Video::Value>(i);
    }
    return cases;
}();

const VideoRow& row(Video rate) {
    return kRows[rate.index()];
}

} // namespace

std::span<const VideoFrameRate> VideoFrameRate::allCases() {
    return kAllCases;
}

std::string_view VideoFrameRate::displayString() const {
    return row(*this).displayString;
}
std::string_view VideoFrameRate::rawValue() const {
    return row(*this).rawValue;
}
bool VideoFrameRate::isInterlaced() const {
    return row(*this).interlaced;
}
Fraction VideoFrameRate::rate() const {
    return row(*this).rate;
}
Fraction VideoFrameRate::frameDuration() const {
    return row(*this).frameDuration;
}

std::optional<Fraction> VideoFrameRate::decimalFrameDuration() const {
    const VideoRow& r = row(*this);
    if (r.alternateNumerator == 0) {
        return std::nullopt;
    }
    return Fraction(r.alternateNumerator, r.alternateDenominator);
}

std::optional<TimecodeFrameRate> VideoFrameRate::matchingTimecodeFrameRate(bool dropFrame) const {
    const auto match = dropFrame ? row(*this).drop : row(*this).nonDrop;
    if (!match) {
        return std::nullopt;
    }
    return TimecodeFrameRate(*match);
}

std::optional<VideoFrameRate> VideoFrameRate::fromRawValue(std::string_view text) {
    for (Video rate : kAllCases) {
        if (rate.rawValue() == text) {
            return rate;
        }
    }
    return std::nullopt;
}

std::optional<VideoFrameRate> VideoFrameRate::fromStringValue(std::string_view text) {
    for (Video rate : kAllCases) {
        if (rate.displayString() == text) {
            return rate;
        }
    }
    return std::nullopt;
}

std::optional<VideoFrameRate> VideoFrameRate::fromFramesPerSecond(double fps, bool interlaced,
                                                                  bool precise) {
    const int places = precise ? 3 : 1;
    const double wanted = truncated(fps, places);
    for (Video rate : kAllCases) {
        if (truncated(rate.framesPerSecond(), places) == wanted &&
            rate.isInterlaced() == interlaced) {
            return rate;
        }
    }
    return std::nullopt;
}

std::optional<VideoFrameRate> VideoFrameRate::matchingRate(const Fraction& rate, bool interlaced) {
    for (Video candidate : kAllCases) {
        if (candidate.rate().matchesTermsOrQuotient(rate) &&
            candidate.isInterlaced() == interlaced) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::optional<VideoFrameRate> VideoFrameRate::matchingFrameDuration(const Fraction& duration,
                                                                    bool interlaced) {
    for (Video candidate : kAllCases) {
        const auto alternate = candidate.decimalFrameDuration();
        const bool matches = candidate.frameDuration().matchesTermsOrQuotient(duration) ||
                             (alternate && alternate->matchesTermsOrQuotient(duration));
        if (matches && candidate.isInterlaced() == interlaced) {
            return candidate;
        }
    }
    return std::nullopt;
}

} // namespace dovovevozav
