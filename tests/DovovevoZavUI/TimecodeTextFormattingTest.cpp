#include "DovovevoZavUI/TimecodeTextFormatting.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

using namespace dovovevozav;

namespace {

using Rate = TimecodeFrameRate;
using Limit = TimecodeUpperLimit;
using Option = TimecodeStringFormatOption;
using Outcome = TimecodeTypingCheck::Outcome;

// The text a control holds after each character is typed in turn.
std::string typeEach(std::string_view keys, Rate rate, TimecodeStringFormat format = {}) {
    std::string text;
    for (const char key : keys) {
        const std::string proposed = text + key;
        const TimecodeTypingCheck check =
            checkTimecodeTyping(proposed, rate, Limit::max24Hours, format);
        if (check.outcome == Outcome::accepted) {
            text = proposed;
        } else if (check.outcome == Outcome::replaced) {
            text = check.replacement;
        }
    }
    return text;
}

} // namespace

TEST(TimecodeTextFormattingTest, TypingRulesAcceptNormaliseOrRefuse) {
    struct Row {
        std::optional<Rate> rate;
        std::optional<Limit> limit;
        TimecodeStringFormat format;
        std::string proposed;
        Outcome outcome;
        std::string replacement;
        std::string error;
    };
    const std::optional<Rate> df = Rate::fps29_97d;
    const std::optional<Rate> nd = Rate::fps25;
    const std::optional<Limit> day = Limit::max24Hours;
    const std::optional<Limit> days = Limit::max100Days;
    const TimecodeStringFormat sub{Option::showSubFrames};
    const std::vector<Row> rows = {
        // Without a frame rate or an upper limit anything goes.
        {std::nullopt, day, {}, "01:0a", Outcome::accepted, "", ""},
        {nd, std::nullopt, {}, "abc", Outcome::accepted, "", ""},
        {nd, day, {}, "", Outcome::accepted, "", ""},
        {nd, day, {}, "01:0a", Outcome::refused, "", "Invalid characters."},
        {nd, day, {}, "01:00\xc3\xa9", Outcome::refused, "", "Invalid characters."},
        {nd, day, {}, "01;00", Outcome::replaced, "01:00", ""},
        {nd, day, {}, "01.00.00.15", Outcome::replaced, "01:00:00:15", ""},
        {df, day, {}, "01.00.00.15", Outcome::replaced, "01:00:00;15", ""},
        {df, day, {}, "01;00;00;15", Outcome::replaced, "01:00:00;15", ""},
        // A typed ":" is never turned into ";", and a ";" after three separators stays.
        {df, day, {}, "01:00:00:15", Outcome::accepted, "", ""},
        {df, day, {}, "01:00:00;15", Outcome::replaced, "01:00:00;15", ""},
        {nd, day, {}, "01:00:00:00:", Outcome::refused, "", ""},
        {nd, day, {}, "01:00:00:00;", Outcome::refused, "", ""},
        {nd, day, sub, "01:00:00:00.5", Outcome::accepted, "", ""},
        {nd, day, {}, "01:00:00:00.5", Outcome::refused, "", ""},
        {nd, day, sub, "01:00:00:00.5.", Outcome::refused, "", ""},
        {nd, days, {}, "2 01:00:00:00", Outcome::accepted, "", ""},
        {nd, day, {}, "2 ", Outcome::refused, "", ""},
        {nd, days, {}, " 2", Outcome::refused, "", ""},
        {nd, days, {}, "2: ", Outcome::refused, "", ""},
        {nd, days, {}, "2 3 ", Outcome::refused, "", ""},
    };
    for (const Row& row : rows) {
        const TimecodeTypingCheck check =
            checkTimecodeTyping(row.proposed, row.rate, row.limit, row.format);
        EXPECT_EQ(check.outcome, row.outcome) << row.proposed;
        EXPECT_EQ(check.replacement, row.replacement) << row.proposed;
        EXPECT_EQ(check.errorDescription, row.error) << row.proposed;
    }
}

TEST(TimecodeTextFormattingTest, TypingKeyByKeyBuildsTheSeparatorsOfTheRate) {
    EXPECT_EQ(typeEach("01.00.00.15", Rate::fps29_97d), "01:00:00;15");
    EXPECT_EQ(typeEach("01.00.00.15", Rate::fps25), "01:00:00:15");
    EXPECT_EQ(typeEach("01:00:00:00:1", Rate::fps25), "01:00:00:001");
    EXPECT_EQ(typeEach("1.2.3.4.5.6", Rate::fps25, {Option::showSubFrames}), "1:2:3:4.56");
}

TEST(TimecodeTextFormattingTest, DisplayTextIsCanonicalOnlyForParsableTextWithProperties) {
    const TimecodeProperties at25(Rate::fps25);
    EXPECT_EQ(displayTimecodeText("1:2:3:4", at25, {}), "01:02:03:04");
    EXPECT_EQ(displayTimecodeText("1:2:3:99", at25, {}), "01:02:03:99");
    EXPECT_EQ(displayTimecodeText("1:2:3:4", at25, {Option::showSubFrames}), "01:02:03:04.00");
    EXPECT_EQ(displayTimecodeText("abc", at25, {}), "abc");
    EXPECT_EQ(displayTimecodeText("1:2:3:4", std::nullopt, {}), "1:2:3:4");
}
