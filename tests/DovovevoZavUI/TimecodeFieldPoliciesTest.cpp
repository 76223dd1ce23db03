#include "DovovevoZavUI/TimecodeFieldPolicies.h"

#include "DovovevoZavUI/TimecodeFieldAction.h"
#include "DovovevoZavUI/TimecodeFieldKeyResult.h"
#include "DovovevoZavUI/TimecodeFieldPasteRule.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace dovovevozav;

namespace {

template <class Enum>
std::vector<std::string> rawTexts() {
    std::vector<std::string> texts;
    for (const Enum value : allCases<Enum>()) {
        EXPECT_EQ(fromRawValue<Enum>(rawValue(value)), value);
        texts.emplace_back(rawValue(value));
    }
    return texts;
}

using Strings = std::vector<std::string>;

} // namespace

TEST(TimecodeFieldPoliciesTest, EnumerationsRoundTripTheirRawTextsInDeclarationOrder) {
    using Feedback = TimecodeFieldInputRejectionFeedback;
    EXPECT_EQ(rawTexts<TimecodeFieldInputStyle>(),
              (Strings{"autoAdvance", "continuousWithinComponent", "unbounded"}));
    EXPECT_EQ(rawTexts<TimecodeFieldInputWrapping>(), (Strings{"noWrap", "wrap"}));
    EXPECT_EQ(rawTexts<TimecodeFieldPastePolicy>(),
              (Strings{"preserveLocalProperties", "allowNewProperties", "discardProperties"}));
    EXPECT_EQ(rawTexts<TimecodeFieldValidationPolicy>(), (Strings{"allowInvalid", "enforceValid"}));
    EXPECT_EQ(rawTexts<Feedback::Reason>(), (Strings{"invalid", "undefinedKey"}));
    EXPECT_EQ(rawTexts<Feedback::RejectionAnimation>(), (Strings{"shake", "pulse"}));
    EXPECT_EQ(rawTexts<TimecodeFieldKeyResult::Result>(),
              (Strings{"handled", "ignored", "performEscapeAction", "performReturnAction"}));
    EXPECT_EQ(rawTexts<TimecodeFieldKeyResult::FocusResult>(),
              (Strings{"focusPreviousComponent", "focusNextComponent"}));
    // Exact match only.
    EXPECT_EQ(fromRawValue<TimecodeFieldInputWrapping>("Wrap"), std::nullopt);
    EXPECT_EQ(fromRawValue<TimecodeFieldInputWrapping>(""), std::nullopt);
    EXPECT_EQ(fromRawValue<TimecodeFieldValidationPolicy>("enforceValid "), std::nullopt);
}

TEST(TimecodeFieldPoliciesTest, FieldActionsAndKeyResultsDescribeThemselves) {
    using Action = TimecodeFieldAction;
    Strings texts;
    for (const Action& action : Action::allCases()) {
        EXPECT_EQ(Action::fromRawValue(action.rawValue()), action);
        texts.push_back(action.rawValue());
    }
    EXPECT_EQ(texts, (Strings{"endEditing", "focusNextComponent", "resetComponentFocus-to-days",
                              "resetComponentFocus-to-hours", "resetComponentFocus-to-minutes",
                              "resetComponentFocus-to-seconds", "resetComponentFocus-to-frames",
                              "resetComponentFocus-to-subFrames"}));
    EXPECT_EQ(Action::resetComponentFocus().rawValue(), "resetComponentFocus");
    EXPECT_EQ(Action::fromRawValue("resetComponentFocus"), std::nullopt);
    EXPECT_EQ(Action::resetComponentFocus(), Action::resetComponentFocus());
    EXPECT_NE(Action::resetComponentFocus(TimecodeComponent::hours),
              Action::resetComponentFocus(TimecodeComponent::frames));

    using Result = TimecodeFieldKeyResult;
    EXPECT_EQ(Result{}.description(), "<handled>");
    EXPECT_EQ((Result{Result::Result::handled, Result::FocusResult::focusPreviousComponent,
                      TimecodeFieldInputRejectionFeedback::Reason::invalid}
                   .debugDescription()),
              "KeyResult<handled focusPreviousComponent invalid>");
    EXPECT_EQ((Result{Result::Result::ignored, std::nullopt,
                      TimecodeFieldInputRejectionFeedback::Reason::undefinedKey}
                   .description()),
              "<ignored undefinedKey>");
}

TEST(TimecodeFieldPoliciesTest, PasteRuleKeepsThePastedComponentsAndChoosesTheProperties) {
    using Paste = TimecodeFieldPastePolicy;
    using Validation = TimecodeFieldValidationPolicy;
    using Style = TimecodeFieldInputStyle;
    const TimecodeProperties at24(TimecodeFrameRate::fps24);
    const TimecodeProperties at25(TimecodeFrameRate::fps25);
    const TimecodeProperties at24Base100(TimecodeFrameRate::fps24,
                                         TimecodeSubFramesBase::max100SubFrames);
    const TimecodeProperties at120(TimecodeFrameRate::fps120);
    const auto make = [](Timecode::Components components, TimecodeProperties properties) {
        Timecode timecode(properties);
        timecode.setComponents(components);
        return timecode;
    };
    struct Row {
        const char* name;
        Timecode pasted;
        Paste paste;
        Validation validation;
        Style style;
        std::optional<TimecodeProperties> result; // none: refused
    };
    const Timecode oneHourAt25 = make({0, 1, 0, 0, 0, 0}, at25);
    const std::vector<Row> rows = {
        {"other rate, preserve, enforce", oneHourAt25, Paste::preserveLocalProperties,
         Validation::enforceValid, Style::continuousWithinComponent, std::nullopt},
        {"other rate, preserve, allow", oneHourAt25, Paste::preserveLocalProperties,
         Validation::allowInvalid, Style::continuousWithinComponent, std::nullopt},
        {"other rate, discard", oneHourAt25, Paste::discardProperties, Validation::enforceValid,
         Style::continuousWithinComponent, at24},
        {"other rate, allow new", oneHourAt25, Paste::allowNewProperties, Validation::enforceValid,
         Style::continuousWithinComponent, at25},
        {"other base, preserve, allow invalid: local base", make({0, 1, 0, 0, 0, 50}, at24Base100),
         Paste::preserveLocalProperties, Validation::allowInvalid, Style::continuousWithinComponent,
         at24},
        {"other base, preserve, enforce: pasted base", make({0, 1, 0, 0, 0, 50}, at24Base100),
         Paste::preserveLocalProperties, Validation::enforceValid, Style::continuousWithinComponent,
         at24Base100},
        {"24 hours, enforce", make({0, 24, 0, 0, 0, 0}, at24), Paste::preserveLocalProperties,
         Validation::enforceValid, Style::continuousWithinComponent, std::nullopt},
        {"24 hours, allow invalid", make({0, 24, 0, 0, 0, 0}, at24), Paste::preserveLocalProperties,
         Validation::allowInvalid, Style::continuousWithinComponent, at24},
        {"three-digit frames at 24", make({0, 0, 0, 0, 100, 0}, at24),
         Paste::preserveLocalProperties, Validation::allowInvalid, Style::autoAdvance,
         std::nullopt},
        {"three-digit frames at 24, unbounded", make({0, 0, 0, 0, 100, 0}, at24),
         Paste::preserveLocalProperties, Validation::allowInvalid, Style::unbounded, at24},
        {"three-digit frames at a pasted 120", make({0, 0, 0, 0, 110, 0}, at120),
         Paste::allowNewProperties, Validation::enforceValid, Style::autoAdvance, at120},
        {"three-digit frames at 120 discarded to 24", make({0, 0, 0, 0, 110, 0}, at120),
         Paste::discardProperties, Validation::allowInvalid, Style::autoAdvance, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<Timecode> result =
            validatePastedTimecode(row.pasted, at24, row.paste, row.validation, row.style);
        ASSERT_EQ(result.has_value(), row.result.has_value());
        if (result) {
            EXPECT_EQ(result->components(), row.pasted.components());
            EXPECT_EQ(result->properties(), *row.result);
        }
    }
}
