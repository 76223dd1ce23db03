#include "DovovevoZavCore/TimecodeFrameRate.h"

#include "DovovevoZavCore/VideoFrameRate.h"

#include <algorithm>

namespace dovovevozav {

namespace {

using Rate = TimecodeFrameRate;

/// One row of the rate table.
struct RateRow {
    std::string_view rawValue;
    std::string_view longName;
    bool dropFrame;
    int timebase;
    double droppedFramesPerMinute;
    Fraction rate;
    Fraction frameDuration;
    std::int64_t alternateDenominator; // 0: no 1000/x alternate duration
    double countingRate;
    double realTimeRate;
    std::int64_t framesPer24Hours;
    Rate::CompatibleGroup group;
};

using Group = Rate::CompatibleGroup;

// Real-time rates of the 1001 family are timebase / 1.001 in double precision, as the
// platform computes them; whole rates (drop-frame counting on whole rates included) are whole.
// clang-format off
constexpr std::array<RateRow, Rate::caseCount> kRows{{
    // raw      long name          drop   base dropped rate           frame duration  alt.    counting real time   per 24 h  group
    {"23.976",  "23.976 fps",      false, 24,  0, {24000, 1001},  {1001, 24000},  23976,  24.0,   24 / 1.001,  2073600,  Group::ntscColor},
    {"24",      "24 fps",          false, 24,  0, {24, 1},        {100, 2400},    0,      24.0,   24.0,        2073600,  Group::whole},
    {"24.98",   "24.98 fps",       false, 25,  0, {25000, 1001},  {1001, 25000},  24980,  25.0,   25 / 1.001,  2160000,  Group::ntscColor},
    {"25",      "25 fps",          false, 25,  0, {25, 1},        {100, 2500},    0,      25.0,   25.0,        2160000,  Group::whole},
    {"29.97",   "29.97 fps",       false, 30,  0, {30000, 1001},  {1001, 30000},  29970,  30.0,   30 / 1.001,  2592000,  Group::ntscColor},
    {"29.97d",  "29.97 fps drop",  true,  30,  2, {30000, 1001},  {1001, 30000},  29970,  29.97,  30 / 1.001,  2589408,  Group::ntscDrop},
    {"30",      "30 fps",          false, 30,  0, {30, 1},        {100, 3000},    0,      30.0,   30.0,        2592000,  Group::whole},
    {"30d",     "30 fps drop",     true,  30,  2, {30, 1},        {100, 3000},    0,      29.97,  30.0,        2589408,  Group::ntscColorWallTime},
    {"47.952",  "47.952 fps",      false, 48,  0, {48000, 1001},  {1001, 48000},  47952,  48.0,   48 / 1.001,  4147200,  Group::ntscColor},
    {"48",      "48 fps",          false, 48,  0, {48, 1},        {100, 4800},    0,      48.0,   48.0,        4147200,  Group::whole},
    {"50",      "50 fps",          false, 50,  0, {50, 1},        {100, 5000},    0,      50.0,   50.0,        4320000,  Group::whole},
    {"59.94",   "59.94 fps",       false, 60,  0, {60000, 1001},  {1001, 60000},  59940,  60.0,   60 / 1.001,  5184000,  Group::ntscColor},
    {"59.94d",  "59.94 fps drop",  true,  60,  4, {60000, 1001},  {1001, 60000},  59940,  59.94,  60 / 1.001,  5178816,  Group::ntscDrop},
    {"60",      "60 fps",          false, 60,  0, {60, 1},        {100, 6000},    0,      60.0,   60.0,        5184000,  Group::whole},
    {"60d",     "60 fps drop",     true,  60,  4, {60, 1},        {100, 6000},    0,      59.94,  60.0,        5178816,  Group::ntscColorWallTime},
    {"90",      "90 fps",          false, 90,  0, {90, 1},        {100, 9000},    0,      90.0,   90.0,        7776000,  Group::whole},
    {"95.904",  "95.904 fps",      false, 96,  0, {96000, 1001},  {1001, 96000},  95904,  96.0,   96 / 1.001,  8294400,  Group::ntscColor},
    {"96",      "96 fps",          false, 96,  0, {96, 1},        {100, 9600},    0,      96.0,   96.0,        8294400,  Group::whole},
    {"100",     "100 fps",         false, 100, 0, {100, 1},       {100, 10000},   0,      100.0,  100.0,       8640000,  Group::whole},
    {"119.88",  "119.88 fps",      false, 120, 0, {120000, 1001}, {1001, 120000}, 119880, 120.0,  120 / 1.001, 10368000, Group::ntscColor},
    {"119.88d", "119.88 fps drop", true,  120, 8, {120000, 1001}, {1001, 120000}, 119880, 119.88, 120 / 1.001, 10357632, Group::ntscDrop},
    {"120",     "120 fps",         false, 120, 0, {120, 1},       {100, 12000},   0,      120.0,  120.0,       10368000, Group::whole},
    {"120d",    "120 fps drop",    true,  120, 8, {120, 1},       {100, 12000},   0,      119.88, 120.0,       10357632, Group::ntscColorWallTime},
}};
// clang-format on

const RateRow& row(Rate rate) {
    return kRows[rate.index()];
}

/// The rates whose rows satisfy `keep`, in case order.
template <auto keep>
constexpr auto casesWhere() {
    constexpr auto count =
        static_cast<std::size_t>(std::count_if(kRows.begin(), kRows.end(), keep));
    std::array<Rate, count> cases{};
    std::size_t next = 0;
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (keep(kRows[i])) {
            cases[next++] = static_cast<Rate::Value>(i);
        }
    }
    return cases;
}

/// The rates of one compatibility group, in case order.
template <Group group>
constexpr auto kGroupMembers = casesWhere<[](const RateRow& r) { return r.group == group; }>();

constexpr auto kAllCases = casesWhere<[](const RateRow&) { return true; }>();
constexpr auto kDropCases = casesWhere<[](const RateRow& r) { return r.dropFrame; }>();
constexpr auto kNonDropCases = casesWhere<[](const RateRow& r) { return !r.dropFrame; }>();
constexpr std::array<Group, 4> kGroups{Group::ntscColor, Group::ntscDrop, Group::whole,
                                       Group::ntscColorWallTime};

} // namespace

std::span<const TimecodeFrameRate> TimecodeFrameRate::allCases() {
    return kAllCases;
}
std::span<const TimecodeFrameRate> TimecodeFrameRate::dropFrameCases() {
    return kDropCases;
}
std::span<const TimecodeFrameRate> TimecodeFrameRate::nonDropFrameCases() {
    return kNonDropCases;
}

std::string_view TimecodeFrameRate::rawValue() const {
    return row(*this).rawValue;
}
std::string_view TimecodeFrameRate::longName() const {
    return row(*this).longName;
}
bool TimecodeFrameRate::isDropFrame() const {
    return row(*this).dropFrame;
}
int TimecodeFrameRate::timebase() const {
    return row(*this).timebase;
}
double TimecodeFrameRate::droppedFramesPerMinute() const {
    return row(*this).droppedFramesPerMinute;
}
Fraction TimecodeFrameRate::rate() const {
    return row(*this).rate;
}
Fraction TimecodeFrameRate::frameDuration() const {
    return row(*this).frameDuration;
}

std::optional<Fraction> TimecodeFrameRate::decimalFrameDuration() const {
    const std::int64_t denominator = row(*this).alternateDenominator;
    if (denominator == 0) {
        return std::nullopt;
    }
    return Fraction(1000, denominator);
}

double TimecodeFrameRate::countingRate() const {
    return row(*this).countingRate;
}
double TimecodeFrameRate::realTimeRate() const {
    return row(*this).realTimeRate;
}
int TimecodeFrameRate::highestFrameNumber() const {
    return row(*this).timebase - 1;
}
int TimecodeFrameRate::frameDigitCount() const {
    return row(*this).timebase >= 120 ? 3 : 2;
}

std::int64_t TimecodeFrameRate::spanFrames(TimecodeUpperLimit limit) const {
    return row(*this).framesPer24Hours * limit.spanDays();
}

TimecodeFrameRate::CompatibleGroup TimecodeFrameRate::compatibleGroup() const {
    return row(*this).group;
}

std::span<const TimecodeFrameRate> TimecodeFrameRate::members(CompatibleGroup group) {
    switch (group) {
    case CompatibleGroup::ntscColor:
        return kGroupMembers<Group::ntscColor>;
    case CompatibleGroup::ntscDrop:
        return kGroupMembers<Group::ntscDrop>;
    case CompatibleGroup::whole:
        return kGroupMembers<Group::whole>;
    case CompatibleGroup::ntscColorWallTime:
        return kGroupMembers<Group::ntscColorWallTime>;
    }
    return {};
}

std::span<const TimecodeFrameRate> TimecodeFrameRate::groupMembers() const {
    return members(compatibleGroup());
}

bool TimecodeFrameRate::sharesGroup(TimecodeFrameRate other) const {
    const auto group = other.groupMembers();
    return std::find(group.begin(), group.end(), *this) != group.end();
}

std::string_view TimecodeFrameRate::description(CompatibleGroup group) {
    switch (group) {
    case CompatibleGroup::ntscColor:
        return "NTSC Color";
    case CompatibleGroup::ntscDrop:
        return "NTSC Drop-Frame";
    case CompatibleGroup::whole:
        return "Whole";
    case CompatibleGroup::ntscColorWallTime:
        return "NTSC Color Wall Time";
    }
    return {};
}

std::span<const TimecodeFrameRate::CompatibleGroup> TimecodeFrameRate::allGroups() {
    return kGroups;
}

std::pair<std::string, std::string> TimecodeFrameRate::durationAndDropTexts() const {
    return {frameDuration().rationalSecondsString(), isDropFrame() ? "DF" : "NDF"};
}

std::array<std::string, 3> TimecodeFrameRate::rateTexts() const {
    const Fraction r = rate();
    return {std::to_string(r.numerator()) + "/" + std::to_string(r.denominator()),
            isDropFrame() ? "true" : "false", std::to_string(timebase())};
}

std::optional<TimecodeFrameRate> TimecodeFrameRate::fromRawValue(std::string_view text) {
    for (Rate rate : kAllCases) {
        if (rate.rawValue() == text) {
            return rate;
        }
    }
    return std::nullopt;
}

std::optional<TimecodeFrameRate> TimecodeFrameRate::matchingRate(const Fraction& rate,
                                                                 bool dropFrame) {
    for (Rate candidate : kAllCases) {
        if (candidate.rate().matchesTermsOrQuotient(rate) && candidate.isDropFrame() == dropFrame) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::optional<TimecodeFrameRate> TimecodeFrameRate::matchingFrameDuration(const Fraction& duration,
                                                                          bool dropFrame) {
    for (Rate candidate : kAllCases) {
        const auto alternate = candidate.decimalFrameDuration();
        const bool matches = candidate.frameDuration().matchesTermsOrQuotient(duration) ||
                             (alternate && alternate->matchesTermsOrQuotient(duration));
        if (matches && candidate.isDropFrame() == dropFrame) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::optional<VideoFrameRate> TimecodeFrameRate::matchingVideoFrameRate(bool interlaced) const {
    using Video = VideoFrameRate;
    switch (value_) {
    case fps23_976:
        return interlaced ? std::nullopt : std::optional<Video>(Video::fps23_98p);
    case fps24:
        return interlaced ? std::nullopt : std::optional<Video>(Video::fps24p);
    case fps24_98:
        return interlaced ? std::nullopt : std::optional<Video>(Video::fps25p);
    case fps25:
        // Progressive 25 is the natural answer for a progressive request.
        return interlaced ? Video::fps25i : Video::fps25p;
    case fps29_97:
    case fps29_97d:
        return interlaced ? Video::fps29_97i : Video::fps29_97p;
    case fps30:
    case fps30d:
        return interlaced ? std::nullopt : std::optional<Video>(Video::fps30p);
    case fps47_952:
        return interlaced ? std::nullopt : std::optional<Video>(Video::fps47_95p);
    case fps48:
        return interlaced ? std::nullopt : std::optional<Video>(Video::fps48p);
    case fps50:
        return interlaced ? Video::fps50i : Video::fps50p;
    case fps59_94:
    case fps59_94d:
        return interlaced ? std::nullopt : std::optional<Video>(Video::fps59_94p);
    case fps60:
        return interlaced ? Video::fps60i : Video::fps60p;
    case fps60d:
        return interlaced ? std::nullopt : std::optional<Video>(Video::fps60p);
    case fps90:
        return interlaced ? std::nullopt : std::optional<Video>(Video::fps90p);
    case fps95_904:
        return interlaced ? std::nullopt : std::optional<Video>(Video::fps95_9p);
    case fps96:
        return interlaced ? std::nullopt : std::optional<Video>(Video::fps96p);
    case fps100:
        return interlaced ? std::nullopt : std::optional<Video>(Video::fps100p);
    case fps119_88:
    case fps119_88d:
        return interlaced ? std::nullopt : std::optional<Video>(Video::fps119_88p);
    case fps120:
    case fps120d:
        return interlaced ? std::nullopt : std::optional<Video>(Video::fps120p);
    }
    return std::nullopt;
}

} // namespace dovovevozav
