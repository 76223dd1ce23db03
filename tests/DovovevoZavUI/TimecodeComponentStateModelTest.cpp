#include "DovovevoZavUI/TimecodeComponentStateModel.h"

#include "DovovevoZavUI/TimecodeComponentViewModel.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

using namespace dovovevozav;

namespace {

using Component = TimecodeComponent;
using Style = TimecodeFieldInputStyle;
using Policy = TimecodeFieldValidationPolicy;
using Option = TimecodeStringFormatOption;

const TimecodeProperties at24(TimecodeFrameRate::fps24);

// The keys of a text: each character one key; "^" up, "v" down, "<" left, ">" right,
// "B" backspace, "D" forward delete, "E" escape, "R" return, "T" tab.
std::vector<KeyEquivalent> keys(std::u32string_view text) {
    std::vector<KeyEquivalent> result;
    for (const char32_t character : text) {
        switch (character) {
        case U'^':
            result.push_back(KeyEquivalent::upArrow);
            break;
        case U'v':
            result.push_back(KeyEquivalent::downArrow);
            break;
        case U'<':
            result.push_back(KeyEquivalent::leftArrow);
            break;
        case U'>':
            result.push_back(KeyEquivalent::rightArrow);
            break;
        case U'B':
            result.push_back(KeyEquivalent::deleteKey);
            break;
        case U'D':
            result.push_back(KeyEquivalent::deleteForward);
            break;
        case U'E':
            result.push_back(KeyEquivalent::escape);
            break;
        case U'R':
            result.push_back(KeyEquivalent::returnKey);
            break;
        case U'T':
            result.push_back(KeyEquivalent::tab);
            break;
        default:
            result.push_back(KeyEquivalent{character});
        }
    }
    return result;
}

} // namespace

TEST(TimecodeComponentStateModelTest, DigitsRangesAndExcludedComponents) {
    struct Row {
        Component component;
        TimecodeProperties properties;
        std::int64_t value;
        std::string display;
        TimecodeComponentRange range;
    };
    const TimecodeProperties at120(TimecodeFrameRate::fps120);
    const std::vector<Row> rows = {
        {Component::minutes, at24, 5, "05", {0, 59}},
        {Component::minutes, at24, 0, "00", {0, 59}},
        {Component::hours, at24, 123, "123", {0, 23}},
        {Component::frames, at120, 7, "007", {0, 119}},
        {Component::frames, TimecodeFrameRate::fps119_88d, 7, "007", {0, 119}},
        {Component::frames, TimecodeFrameRate::fps60, 7, "07", {0, 59}},
        {Component::frames, TimecodeFrameRate::fps29_97d, 0, "00", {0, 29}},
        {Component::subFrames,
         TimecodeProperties(TimecodeFrameRate::fps24, TimecodeSubFramesBase::quarterFrames),
         3,
         "3",
         {0, 3}},
        {Component::subFrames, at24, 3, "03", {0, 79}},
        {Component::days, at24, 0, "00", {0, 0}},
        {Component::days,
         TimecodeProperties(TimecodeFrameRate::fps24, TimecodeSubFramesBase::max80SubFrames,
                            TimecodeUpperLimit::max100Days),
         0,
         "00",
         {0, 99}},
        {Component::hours, at24, -5, "-5", {0, 23}},
    };
    for (const Row& row : rows) {
        const TimecodeComponentStateModel model(row.component, row.properties, row.value);
        EXPECT_EQ(model.displayText(), row.display);
        EXPECT_EQ(model.validRange(), row.range);
    }

    const TimecodeComponentViewModel hours(Component::hours, at24);
    EXPECT_EQ(hours.excludedComponents({}),
              (TimecodeComponentSet{Component::days, Component::subFrames}));
    EXPECT_TRUE(hours.excludedComponents({Option::alwaysShowDays, Option::showSubFrames}).empty());
    const TimecodeComponentViewModel days(Component::days,
                                          TimecodeProperties(TimecodeFrameRate::fps24,
                                                             TimecodeSubFramesBase::max80SubFrames,
                                                             TimecodeUpperLimit::max100Days));
    EXPECT_EQ(days.excludedComponents({}), TimecodeComponentSet{Component::subFrames});
}

TEST(TimecodeComponentStateModelTest, ObservedFieldsPublishOnlyRealChanges) {
    TimecodeComponentStateModel model(Component::minutes, at24, 12);
    std::vector<TimecodeComponentStateModel::ObservedField> published;
    model.setObserver([&](auto field) { published.push_back(field); });
    model.setTimecodeProperties(at24);
    model.setValue(12);
    model.setVirgin(true);
    EXPECT_TRUE(published.empty());

    model.handleKey(KeyEquivalent{U'4'}, Style::continuousWithinComponent, Policy::enforceValid);
    EXPECT_EQ(model.textInput(), "4");
    model.setVirgin(false); // keeps the typed text
    EXPECT_EQ(model.textInput(), "4");
    model.clearValue(); // keeps the flag
    EXPECT_FALSE(model.isVirgin());
    EXPECT_EQ(model.textInput(), "");
    model.handleKey(KeyEquivalent{U'4'}, Style::continuousWithinComponent, Policy::enforceValid);
    model.setVirgin(true);
    EXPECT_EQ(model.textInput(), "");
    model.setTimecodeProperties(TimecodeFrameRate::fps25);
    using Field = TimecodeComponentStateModel::ObservedField;
    EXPECT_EQ(published,
              (std::vector<Field>{Field::value, Field::isVirgin, Field::value, Field::value,
                                  Field::isVirgin, Field::timecodeProperties}));
}

TEST(TimecodeComponentStateModelTest, KeysFollowTheInputStyleAndValidationPolicy) {
    struct Row {
        const char* name;
        Component component;
        TimecodeProperties properties;
        std::int64_t value;
        Style style;
        Policy policy;
        std::u32string_view keys;
        std::int64_t expectedValue;
        std::string expectedText;
        bool expectedVirgin;
        std::string lastResult;
    };
    const TimecodeProperties at120(TimecodeFrameRate::fps120);
    const TimecodeProperties quarters(TimecodeFrameRate::fps24,
                                      TimecodeSubFramesBase::quarterFrames);
    const std::vector<Row> rows = {
        // Automatic advance: a digit that leaves the range is refused, the full component
        // asks to move on.
        {"advance, first digit", Component::hours, at24, 12, Style::autoAdvance,
         Policy::enforceValid, U"5", 5, "5", false, "<handled>"},
        {"advance, 53 refused", Component::hours, at24, 12, Style::autoAdvance,
         Policy::enforceValid, U"53", 5, "5", false, "<handled invalid>"},
        {"advance, 45 moves on", Component::minutes, at24, 0, Style::autoAdvance,
         Policy::enforceValid, U"45", 45, "45", false, "<handled focusNextComponent>"},
        {"advance, 75 allowed", Component::minutes, at24, 0, Style::autoAdvance,
         Policy::allowInvalid, U"75", 75, "75", false, "<handled focusNextComponent>"},
        {"advance, full", Component::minutes, at24, 0, Style::autoAdvance, Policy::allowInvalid,
         U"456", 45, "45", false, "<handled focusNextComponent>"},
        {"advance, frames at 120", Component::frames, at120, 0, Style::autoAdvance,
         Policy::enforceValid, U"11", 11, "11", false, "<handled>"},
        {"advance, three frames at 120", Component::frames, at120, 0, Style::autoAdvance,
         Policy::enforceValid, U"110", 110, "110", false, "<handled focusNextComponent>"},
        {"advance, quarter frames", Component::subFrames, quarters, 0, Style::autoAdvance,
         Policy::enforceValid, U"3", 3, "3", false, "<handled focusNextComponent>"},
        // Digits scroll through a component.
        {"continuous, 105 kept to 05", Component::hours, at24, 0, Style::continuousWithinComponent,
         Policy::enforceValid, U"105", 5, "05", false, "<handled>"},
        {"continuous, 234 kept to 34, refused", Component::hours, at24, 0,
         Style::continuousWithinComponent, Policy::enforceValid, U"234", 23, "23", false,
         "<handled invalid>"},
        // No digit limit.
        {"unbounded, 999", Component::minutes, at24, 0, Style::unbounded, Policy::allowInvalid,
         U"999", 999, "999", false, "<handled>"},
        {"unbounded, 99 refused", Component::minutes, at24, 0, Style::unbounded,
         Policy::enforceValid, U"99", 9, "9", false, "<handled invalid>"},
        // Stepping wraps within the range, whatever the policies, and starts a new value.
        {"up from 23", Component::hours, at24, 23, Style::autoAdvance, Policy::enforceValid, U"^",
         0, "", true, "<handled>"},
        {"plus from 75", Component::minutes, at24, 75, Style::autoAdvance, Policy::allowInvalid,
         U"+", 0, "", true, "<handled>"},
        {"down from 0", Component::minutes, at24, 0, Style::autoAdvance, Policy::enforceValid, U"v",
         59, "", true, "<handled>"},
        {"minus on days", Component::days, at24, 0, Style::autoAdvance, Policy::enforceValid, U"-",
         0, "", true, "<handled>"},
        {"digit after a step", Component::minutes, at24, 10, Style::continuousWithinComponent,
         Policy::enforceValid, U"^4", 4, "4", false, "<handled>"},
        // Deleting.
        {"backspace typed", Component::minutes, at24, 0, Style::continuousWithinComponent,
         Policy::enforceValid, U"45B", 4, "4", false, "<handled>"},
        {"backspace virgin", Component::minutes, at24, 17, Style::continuousWithinComponent,
         Policy::enforceValid, U"B", 0, "", false, "<handled>"},
        {"backspace at zero", Component::minutes, at24, 0, Style::continuousWithinComponent,
         Policy::enforceValid, U"B", 0, "", false, "<handled focusPreviousComponent>"},
        {"delete character", Component::minutes, at24, 0, Style::continuousWithinComponent,
         Policy::enforceValid, U"4\x7F", 0, "", false, "<handled>"},
        {"forward delete", Component::minutes, at24, 17, Style::continuousWithinComponent,
         Policy::enforceValid, U"D", 0, "", false, "<handled>"},
        // Moving and actions leave the value.
        {"left", Component::minutes, at24, 17, Style::autoAdvance, Policy::enforceValid, U"<", 17,
         "", true, "<handled focusPreviousComponent>"},
        {"separators and right", Component::minutes, at24, 17, Style::autoAdvance,
         Policy::enforceValid, U".:;,>", 17, "", true, "<handled focusNextComponent>"},
        {"escape", Component::minutes, at24, 17, Style::autoAdvance, Policy::enforceValid, U"E", 17,
         "", true, "<performEscapeAction>"},
        {"return", Component::minutes, at24, 17, Style::autoAdvance, Policy::enforceValid, U"R", 17,
         "", true, "<performReturnAction>"},
        {"keypad enter", Component::minutes, at24, 17, Style::autoAdvance, Policy::enforceValid,
         U"\x03", 17, "", true, "<performReturnAction>"},
        {"letter", Component::minutes, at24, 17, Style::autoAdvance, Policy::enforceValid, U"a", 17,
         "", true, "<ignored undefinedKey>"},
        {"tab", Component::minutes, at24, 17, Style::autoAdvance, Policy::enforceValid, U"T", 17,
         "", true, "<ignored undefinedKey>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TimecodeComponentStateModel model(row.component, row.properties, row.value);
        TimecodeFieldKeyResult last;
        for (const KeyEquivalent key : keys(row.keys)) {
            last = model.handleKey(key, row.style, row.policy);
        }
        EXPECT_EQ(model.value(), row.expectedValue);
        EXPECT_EQ(model.textInput(), row.expectedText);
        EXPECT_EQ(model.isVirgin(), row.expectedVirgin);
        EXPECT_EQ(last.description(), row.lastResult);
    }
}

TEST(TimecodeComponentStateModelTest, StepsAndDigitsAtTheIntegerLimitsNeverOverflow) {
    constexpr std::int64_t largest = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t smallest = std::numeric_limits<std::int64_t>::min();
    TimecodeComponentStateModel model(Component::minutes, at24, largest);
    model.handleKey(KeyEquivalent::upArrow, Style::unbounded, Policy::allowInvalid);
    EXPECT_EQ(model.value(), 0);
    model.setValue(smallest);
    model.handleKey(KeyEquivalent{U'-'}, Style::unbounded, Policy::allowInvalid);
    EXPECT_EQ(model.value(), 59);

    // Typing up to the largest integer is taken; one digit more is dropped without refusal.
    model.setVirgin(true);
    TimecodeFieldKeyResult last;
    for (const char32_t digit : std::u32string_view(U"9223372036854775807")) {
        last = model.handleKey(KeyEquivalent{digit}, Style::unbounded, Policy::allowInvalid);
    }
    EXPECT_EQ(model.value(), largest);
    last = model.handleKey(KeyEquivalent{U'0'}, Style::unbounded, Policy::allowInvalid);
    EXPECT_EQ(last.description(), "<ignored>");
    EXPECT_EQ(model.value(), largest);
    model.handleKey(KeyEquivalent::upArrow, Style::unbounded, Policy::allowInvalid);
    EXPECT_EQ(model.value(), 0);
}
