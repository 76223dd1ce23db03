#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeRange.h"
#include "DovovevoZavCore/TimecodeSortComparator.h"

#include <gtest/gtest.h>
#include <unordered_set>

using namespace dovovevozav;
using Rate = TimecodeFrameRate;
using Base = TimecodeSubFramesBase;
using Limit = TimecodeUpperLimit;
using Result = ComparisonResult;

namespace {
Timecode tc(const char* text, Rate rate, Base base = Base::max80SubFrames,
            Limit limit = Limit::max24Hours) {
    return Timecode(FormattedTimecodeSourceValue(text), TimecodeProperties(rate, base, limit));
}

std::vector<std::string> texts(const std::vector<Timecode>& timecodes) {
    std::vector<std::string> out;
    for (const Timecode& timecode : timecodes) {
        out.push_back(timecode.formattedString());
    }
    return out;
}
} // namespace

TEST(TimecodeComparisonTest, EqualityAndOrderByRealTime) {
    const Timecode at24 = tc("01:00:00:00", Rate::fps24);
    const Timecode at25 = tc("01:00:00:00", Rate::fps25);
    EXPECT_NE(at24, at25);
    EXPECT_FALSE(at24 < at25);
    EXPECT_FALSE(at25 < at24);
    EXPECT_EQ(at24.compare(at25), Result::orderedDescending);
    EXPECT_EQ(at25.compare(at24), Result::orderedDescending);

    // Subframes bases are compared only when both timecodes have subframes.
    EXPECT_EQ(at24, tc("01:00:00:00", Rate::fps24, Base::max100SubFrames));
    EXPECT_NE(tc("01:00:00:00.40", Rate::fps24),
              tc("01:00:00:00.50", Rate::fps24, Base::max100SubFrames));
    // The upper limit plays no part.
    EXPECT_EQ(at24, tc("01:00:00:00", Rate::fps24, Base::max80SubFrames, Limit::max100Days));
    EXPECT_LT(tc("00:59:59:23", Rate::fps24), at24);
    EXPECT_LE(at24, at24);
    EXPECT_EQ(at24.compare(at24), Result::orderedSame);
    EXPECT_EQ(tc("00:59:59:23", Rate::fps24).compare(at24), Result::orderedAscending);
    // 29.97 and 29.97d at the same instant differ by rate text.
    EXPECT_NE(tc("01:00:00;00", Rate::fps29_97d), tc("00:59:56:12", Rate::fps29_97));
}

TEST(TimecodeComparisonTest, HashAgreesWithEquality) {
    const std::hash<Timecode> hash;
    const Timecode a = tc("01:00:00:00", Rate::fps24);
    const Timecode b = tc("01:00:00:00", Rate::fps24, Base::max100SubFrames, Limit::max100Days);
    ASSERT_EQ(a, b);
    EXPECT_EQ(hash(a), hash(b));
    std::unordered_set<Timecode> set{a, b, tc("01:00:00:01", Rate::fps24)};
    EXPECT_EQ(set.size(), 2u);
}

TEST(TimecodeComparisonTest, TimelineStartRunsPastMidnight) {
    const Timecode start = tc("23:00:00:00", Rate::fps24);
    const Timecode afterMidnight = tc("00:30:00:00", Rate::fps24);
    const Timecode beforeMidnight = tc("23:30:00:00", Rate::fps24);
    EXPECT_EQ(afterMidnight.compare(beforeMidnight, start), Result::orderedDescending);
    EXPECT_EQ(afterMidnight.compare(beforeMidnight), Result::orderedAscending);
    EXPECT_EQ(afterMidnight.compare(beforeMidnight, tc("00:00:00:00", Rate::fps24)),
              Result::orderedAscending);
    EXPECT_EQ(start.compare(tc("23:00:00:01", Rate::fps24), start), Result::orderedAscending);
    EXPECT_EQ(start.compare(tc("00:00:00:00", Rate::fps24), start), Result::orderedAscending);

    TimecodeSortComparator comparator{SortOrder::reverse, start};
    EXPECT_EQ(comparator.compare(afterMidnight, beforeMidnight), Result::orderedAscending);
    EXPECT_EQ(comparator.compare(start, start), Result::orderedSame);
}

TEST(TimecodeComparisonTest, SortingAndSortedness) {
    const std::vector<Timecode> timecodes{
        tc("00:30:00:00", Rate::fps24), tc("23:30:00:00", Rate::fps24),
        tc("23:00:00:00", Rate::fps24), tc("01:00:00:00", Rate::fps24),
        tc("23:30:00:00", Rate::fps24)};
    EXPECT_EQ(texts(sortedTimecodes(timecodes)),
              (std::vector<std::string>{"00:30:00:00", "01:00:00:00", "23:00:00:00", "23:30:00:00",
                                        "23:30:00:00"}));
    const auto fromStart = sortedTimecodes(timecodes, true, tc("23:00:00:00", Rate::fps24));
    EXPECT_EQ(texts(fromStart),
              (std::vector<std::string>{"23:00:00:00", "23:30:00:00", "23:30:00:00", "00:30:00:00",
                                        "01:00:00:00"}));
    EXPECT_TRUE(isSortedTimecodes(fromStart, true, tc("23:00:00:00", Rate::fps24)));
    EXPECT_FALSE(isSortedTimecodes(fromStart));
    const auto descending = sortedTimecodes(timecodes, false);
    EXPECT_EQ(descending.front().formattedString(), "23:30:00:00");
    EXPECT_TRUE(isSortedTimecodes(descending, false));

    // Ties and mixed rates (neither less than the other) sort safely.
    std::vector<Timecode> ties(50, tc("01:00:00:00", Rate::fps24));
    for (int i = 0; i < 50; i += 2) {
        ties[static_cast<std::size_t>(i)] = tc("01:00:00:00", Rate::fps25);
    }
    sortTimecodes(ties);
    EXPECT_EQ(ties.size(), 50u);
    sortTimecodes(ties, false, tc("12:00:00:00", Rate::fps24));

    const std::vector<Timecode> none;
    const std::vector<Timecode> one{tc("01:00:00:00", Rate::fps24)};
    const std::vector<Timecode> equal(3, tc("01:00:00:00", Rate::fps24));
    for (bool ascending : {true, false}) {
        EXPECT_TRUE(isSortedTimecodes(none, ascending));
        EXPECT_TRUE(isSortedTimecodes(one, ascending));
        EXPECT_TRUE(isSortedTimecodes(equal, ascending));
    }
}

TEST(TimecodeComparisonTest, ComparatorEqualityAndHash) {
    const TimecodeSortComparator plain;
    const TimecodeSortComparator samePlain;
    const TimecodeSortComparator withStart{SortOrder::forward, tc("01:00:00:00", Rate::fps24)};
    EXPECT_EQ(plain, samePlain);
    EXPECT_EQ(plain.hashValue(), samePlain.hashValue());
    EXPECT_NE(plain, withStart);
    EXPECT_NE(plain, (TimecodeSortComparator{SortOrder::reverse, std::nullopt}));
}

TEST(TimecodeComparisonTest, SteppingAndTexts) {
    EXPECT_EQ(tc("00:00:00:10", Rate::fps24).advanced(-20).formattedString(), "00:00:00:00");
    EXPECT_EQ(tc("23:59:59:20", Rate::fps24).advanced(100).description(), "23:59:59:23.79");
    EXPECT_EQ(tc("00:00:00:10", Rate::fps24).advanced(14).formattedString(), "00:00:01:00");
    EXPECT_EQ(tc("00:00:01:00", Rate::fps24).distance(tc("00:00:01:00", Rate::fps25)), 1);

    EXPECT_EQ(tc("01:00:00:00", Rate::fps24).description(), "01:00:00:00.00");
    EXPECT_EQ(
        tc("01:00:00:00", Rate::fps24, Base::max80SubFrames, Limit::max100Days).debugDescription(),
        "Timecode<0 01:00:00:00.00 @ 24 fps>");
    EXPECT_EQ(tc("01:00:00;00", Rate::fps29_97d).debugDescription(),
              "Timecode<01:00:00;00.00 @ 29.97 fps drop>");
}

TEST(TimecodeComparisonTest, MediaTimeRanges) {
    const TimecodeProperties at24(Rate::fps24);
    const auto range = timecodeRange(MediaTimeRange(MediaTime(10, 1), MediaTime(5, 1)), at24);
    EXPECT_EQ(range.first.formattedString(), "00:00:10:00");
    EXPECT_EQ(range.second.formattedString(), "00:00:15:00");

    using Kind = TimecodeValidationError::Kind;
    const struct {
        MediaTimeRange range;
        Kind kind;
    } refused[] = {
        {MediaTimeRange(), Kind::invalid},
        {MediaTimeRange(MediaTime::invalid(), MediaTime(5, 1)), Kind::invalid},
        // Running backwards is a range the wrong way round, not a broken one.
        {MediaTimeRange(MediaTime(10, 1), MediaTime(-5, 1)), Kind::outOfBounds},
        {MediaTimeRange::fromStartToEnd(MediaTime(10, 1), MediaTime(5, 1)), Kind::outOfBounds},
        {MediaTimeRange(MediaTime(86400, 1), MediaTime(5, 1)), Kind::outOfBounds},
    };
    for (const auto& row : refused) {
        try {
            (void)timecodeRange(row.range, at24);
            ADD_FAILURE() << row.range.start.description() << " + "
                          << row.range.duration.description();
        } catch (const TimecodeValidationError& error) {
            EXPECT_EQ(error.kind(), row.kind)
                << row.range.start.description() << " + " << row.range.duration.description();
        }
    }
}
