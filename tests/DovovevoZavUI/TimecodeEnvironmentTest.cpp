#include "DovovevoZavUI/TimecodeEnvironment.h"

#include "DovovevoZavCore/TimecodeTransfer.h"
#include "DovovevoZavUI/Binding.h"
#include "DovovevoZavUI/TimecodeText.h"
#include "StyleCodes.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QMimeData>
#include <QWidget>
#include <gtest/gtest.h>

using namespace dovovevozav;

namespace {

using Option = TimecodeStringFormatOption;

Timecode timecodeAt25(Timecode::Components components) {
    Timecode timecode{TimecodeProperties(TimecodeFrameRate::fps25)};
    timecode.setComponents(components);
    return timecode;
}

} // namespace

TEST(TimecodeEnvironmentTest, ValuesReachGrandchildrenAndInnerContainersOverrideThem) {
    QWidget grandparent;
    auto* parent = new QWidget(&grandparent);
    auto* text = new TimecodeText(timecodeAt25({0, 25, 0, 0, 0, 40}), parent);
    EXPECT_EQ(text->styledText().text(), QStringLiteral("25:00:00:00"));
    EXPECT_EQ(styles::codes(text->styledText()), "ii---------");

    TimecodeEnvironment* outer = TimecodeEnvironment::of(&grandparent);
    EXPECT_EQ(TimecodeEnvironment::of(&grandparent), outer);
    outer->setTimecodeFormat({Option::showSubFrames});
    outer->setTimecodeSeparatorStyle(styles::separatorColor);
    outer->setTimecodeSubFramesStyle(styles::subFramesColor, TimecodeTextScale::secondary);
    EXPECT_EQ(styles::codes(text->styledText()), "iis--s--s--suu");

    // An inner container changes what it sets and keeps the rest: the scale alone leaves the
    // outer subframes style; no separator style clears the outer one.
    TimecodeEnvironment* inner = TimecodeEnvironment::of(parent);
    inner->setTimecodeSubFramesScale(TimecodeTextScale::standard);
    inner->setTimecodeSeparatorStyle(std::nullopt);
    EXPECT_EQ(TimecodeEnvironment::timecodeSubFramesStyle(text).scale, TimecodeTextScale::standard);
    EXPECT_EQ(styles::codes(text->styledText()), "ii----------uu");
    EXPECT_EQ(TimecodeEnvironment::timecodeSubFramesStyle(parent->parentWidget()).scale,
              TimecodeTextScale::secondary);

    // No validation style turns the red off.
    inner->setTimecodeValidationStyle(std::nullopt);
    EXPECT_EQ(styles::codes(text->styledText()), "------------uu");

    // A text made for a format keeps it whatever the surroundings say.
    auto* fixed = timecodeText(timecodeAt25({0, 1, 0, 0, 0, 0}), {Option::alwaysShowDays}, parent);
    EXPECT_EQ(fixed->styledText().text(), QStringLiteral("0 01:00:00:00"));
}

TEST(TimecodeEnvironmentTest, TextShowsSubframesSmallerInAFixedPitchFont) {
    QWidget container;
    TimecodeEnvironment::of(&container)->setTimecodeFormat({Option::showSubFrames});
    auto* text = new TimecodeText(timecodeAt25({0, 1, 0, 0, 0, 40}), &container);
    const QSize normal = text->sizeHint();
    TimecodeEnvironment::of(&container)->setTimecodeSubFramesScale(TimecodeTextScale::secondary);
    const StyledText styled = text->styledText();
    ASSERT_NE(styled.run(TimecodeComponent::subFrames), nullptr);
    EXPECT_LT(styled.run(TimecodeComponent::subFrames)->format.fontPointSize(),
              text->digitFont().pointSizeF());
    EXPECT_LT(text->sizeHint().width(), normal.width());
    // What keeps the text from shifting as the value changes: the ten digits have one advance
    // in the digit font, whether or not the font calls itself fixed-pitch.
    const QFontMetricsF digits(text->digitFont());
    for (const QChar digit : QStringLiteral("123456789")) {
        EXPECT_EQ(digits.horizontalAdvance(digit), digits.horizontalAdvance(QLatin1Char('0')))
            << digit.toLatin1();
    }
}

TEST(TimecodeEnvironmentTest, FormatOptionBindingInsertsAndRemovesOneOption) {
    TimecodeStringFormat format{Option::alwaysShowDays};
    int writes = 0;
    const Binding<TimecodeStringFormat> bound([&] { return format; },
                                              [&](const TimecodeStringFormat& value) {
                                                  format = value;
                                                  ++writes;
                                              });
    const Binding<bool> subFrames = formatOption(bound, Option::showSubFrames);
    EXPECT_FALSE(subFrames.get());
    subFrames.set(true);
    subFrames.set(true);
    EXPECT_EQ(format, (TimecodeStringFormat{Option::alwaysShowDays, Option::showSubFrames}));
    EXPECT_TRUE(subFrames.get());
    formatOption(bound, Option::filenameCompatible).set(false);
    subFrames.set(false);
    EXPECT_EQ(format, TimecodeStringFormat{Option::alwaysShowDays});
    EXPECT_EQ(writes, 4);
}

TEST(TimecodeEnvironmentTest, PasteLoadsLaterAndHandsTheResultToTheAction) {
    // Counts how often the paste looks at its data.
    struct CountingProvider : DataItemProvider {
        using DataItemProvider::DataItemProvider;
        mutable int looks = 0;
        bool hasItemConformingTo(std::string_view type) const override {
            ++looks;
            return DataItemProvider::hasItemConformingTo(type);
        }
    };
    const TimecodeProperties at24(TimecodeFrameRate::fps24);
    QWidget container;

    // No action: nothing is loaded.
    auto untouched = std::make_shared<CountingProvider>(ContentType::utf8PlainText(),
                                                        std::vector<std::uint8_t>{'1'});
    performTimecodePaste(
        {untouched}, [&] { return TimecodeEnvironment::timecodePasted(&container); }, at24,
        &container);
    QApplication::processEvents();
    EXPECT_EQ(untouched->looks, 0);

    std::vector<TimecodePasteResult> results;
    TimecodeEnvironment::of(&container)
        ->setTimecodePasted(TimecodePasteAction{
            [&](const TimecodePasteResult& result) { results.push_back(result); }});
    const auto paste = [&](const QMimeData& data) {
        performTimecodePaste(
            itemProviders(data), [&] { return TimecodeEnvironment::timecodePasted(&container); },
            at24, &container);
    };

    // The typed record wins over the text and keeps its own properties.
    QMimeData typed;
    const Timecode at25 = timecodeAt25({0, 1, 0, 0, 0, 0});
    const std::vector<std::uint8_t> record = TimecodeTransfer::exportTimecodeData(at25);
    typed.setData(timecodeMimeType(), QByteArray(reinterpret_cast<const char*>(record.data()),
                                                 static_cast<qsizetype>(record.size())));
    typed.setText(QStringLiteral("02:00:00:00"));
    paste(typed);
    QMimeData text;
    text.setText(QStringLiteral("03:00:00:00"));
    paste(text);
    QMimeData junk;
    junk.setText(QStringLiteral("not a timecode"));
    paste(junk);
    EXPECT_TRUE(results.empty()); // nothing before the event loop runs
    QApplication::processEvents();

    ASSERT_EQ(results.size(), 3u);
    ASSERT_TRUE(std::holds_alternative<Timecode>(results[0]));
    EXPECT_EQ(std::get<Timecode>(results[0]).properties(), at25.properties());
    EXPECT_EQ(std::get<Timecode>(results[0]).components().hours, 1);
    ASSERT_TRUE(std::holds_alternative<Timecode>(results[1]));
    EXPECT_EQ(std::get<Timecode>(results[1]).properties(), at24);
    EXPECT_EQ(std::get<Timecode>(results[1]).components().hours, 3);
    ASSERT_TRUE(std::holds_alternative<std::exception_ptr>(results[2]));
    EXPECT_THROW(std::rethrow_exception(std::get<std::exception_ptr>(results[2])),
                 TimecodeTransferError);
}

TEST(TimecodeEnvironmentTest, FieldPoliciesHaveDefaultsAndInnerContainersOverrideThem) {
    using Feedback = TimecodeFieldInputRejectionFeedback;
    QWidget outer;
    auto* inner = new QWidget(&outer);
    auto* leaf = new QWidget(inner);
    EXPECT_EQ(TimecodeEnvironment::timecodeFieldValidationPolicy(leaf),
              TimecodeFieldValidationPolicy::enforceValid);
    EXPECT_EQ(TimecodeEnvironment::timecodeFieldInputStyle(leaf),
              TimecodeFieldInputStyle::continuousWithinComponent);
    EXPECT_EQ(TimecodeEnvironment::timecodeFieldInputWrapping(leaf),
              TimecodeFieldInputWrapping::noWrap);
    EXPECT_EQ(TimecodeEnvironment::timecodeFieldPastePolicy(leaf),
              TimecodeFieldPastePolicy::preserveLocalProperties);
    EXPECT_EQ(TimecodeEnvironment::timecodeFieldReturnAction(leaf), std::nullopt);
    EXPECT_EQ(TimecodeEnvironment::timecodeFieldEscapeAction(leaf), std::nullopt);
    EXPECT_EQ(TimecodeEnvironment::timecodeFieldHighlightStyle(leaf),
              leaf->palette().brush(QPalette::Highlight));
    const auto feedback = TimecodeEnvironment::timecodeFieldInputRejectionFeedback(leaf);
    ASSERT_TRUE(feedback.has_value());
    EXPECT_EQ(feedback->kind(), Feedback::Kind::validationBased);
    EXPECT_EQ(feedback->animation(), Feedback::RejectionAnimation::pulse);

    // No highlight is not the default highlight; an inner none clears an outer action; the
    // inner input style wins.
    TimecodeEnvironment::of(&outer)->setTimecodeFieldReturnAction(
        TimecodeFieldAction::endEditing());
    TimecodeEnvironment::of(&outer)->setTimecodeFieldInputStyle(TimecodeFieldInputStyle::unbounded);
    TimecodeEnvironment::of(inner)->setTimecodeFieldReturnAction(std::nullopt);
    TimecodeEnvironment::of(inner)->setTimecodeFieldInputStyle(
        TimecodeFieldInputStyle::autoAdvance);
    TimecodeEnvironment::of(inner)->setTimecodeFieldHighlightStyle(std::nullopt);
    TimecodeEnvironment::of(inner)->setTimecodeFieldInputRejectionFeedback(std::nullopt);
    EXPECT_EQ(TimecodeEnvironment::timecodeFieldReturnAction(&outer),
              TimecodeFieldAction::endEditing());
    EXPECT_EQ(TimecodeEnvironment::timecodeFieldReturnAction(leaf), std::nullopt);
    EXPECT_EQ(TimecodeEnvironment::timecodeFieldInputStyle(&outer),
              TimecodeFieldInputStyle::unbounded);
    EXPECT_EQ(TimecodeEnvironment::timecodeFieldInputStyle(leaf),
              TimecodeFieldInputStyle::autoAdvance);
    EXPECT_EQ(TimecodeEnvironment::timecodeFieldHighlightStyle(leaf), std::nullopt);
    EXPECT_FALSE(TimecodeEnvironment::timecodeFieldInputRejectionFeedback(leaf).has_value());
}
