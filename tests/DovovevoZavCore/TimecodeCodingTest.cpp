#include "DovovevoZavCore/TimecodeCoding.h"

#include <gtest/gtest.h>

using namespace dovovevozav;
using Json = nlohmann::ordered_json;

namespace {
Timecode dropFrameHour() {
    return Timecode(FormattedTimecodeSourceValue("01:00:00;00"),
                    TimecodeProperties(TimecodeFrameRate::fps29_97d));
}

DecodingError::Kind decodingFailure(const std::string& text) {
    try {
        (void)timecodeFromJSONText(text);
    } catch (const DecodingError& error) {
        return error.kind();
    }
    ADD_FAILURE() << "decoded: " << text;
    return DecodingError::keyNotFound;
}
} // namespace

TEST(TimecodeCodingTest, FlatRecordInWrittenOrder) {
    const Timecode timecode = dropFrameHour();
    EXPECT_EQ(timecodeJSONText(timecode),
              R"({"frameRate":"29.97d","upperLimit":"24 hours","subFramesBase":80,"days":0,)"
              R"("hours":1,"minutes":0,"seconds":0,"frames":0,"subFrames":0})");
    const Timecode decoded = timecodeFromJSONText(timecodeJSONText(timecode));
    EXPECT_EQ(decoded, timecode);
    EXPECT_EQ(decoded.properties(), timecode.properties());
    EXPECT_EQ(decoded.components(), timecode.components());

    Json json = timecode;
    EXPECT_EQ(json.get<Timecode>().components(), timecode.components());
    EXPECT_EQ(encodeComponents({1, 2, 3, 4, 5, 6}).dump(),
              R"({"days":1,"hours":2,"minutes":3,"seconds":4,"frames":5,"subFrames":6})");
    EXPECT_EQ(encodeProperties(TimecodeProperties(TimecodeFrameRate::fps25,
                                                  TimecodeSubFramesBase::quarterFrames,
                                                  TimecodeUpperLimit::max100Days))
                  .dump(),
              R"({"frameRate":"25","subFramesBase":4,"upperLimit":"100 days"})");
    EXPECT_EQ(decodeComponents(encodeComponents({1, 2, 3, 4, 5, 6})),
              (TimecodeComponents{1, 2, 3, 4, 5, 6}));
}

TEST(TimecodeCodingTest, DecodingStoresValuesWithoutChecks) {
    const Timecode invalid = timecodeFromJSONText(
        R"({"frameRate":"25","upperLimit":"24 hours","subFramesBase":100,"days":0,"hours":25,)"
        R"("minutes":0,"seconds":0,"frames":0,"subFrames":0,"stringFormat":"x","other":1})");
    EXPECT_EQ(invalid.components().hours, 25);
    EXPECT_FALSE(invalid.isValid());
    EXPECT_EQ(invalid.subFramesBase(), TimecodeSubFramesBase::max100SubFrames);
    // Whole numbers written as floats are integers.
    EXPECT_EQ(timecodeFromJSONText(
                  R"({"frameRate":"25","upperLimit":"24 hours","subFramesBase":80.0,"days":0,)"
                  R"("hours":1.0,"minutes":0,"seconds":0,"frames":0,"subFrames":0})")
                  .components()
                  .hours,
              1);
}

TEST(TimecodeCodingTest, DecodingErrors) {
    const std::string tail =
        R"("days":0,"hours":1,"minutes":0,"seconds":0,"frames":0,"subFrames":0})";
    struct Case {
        std::string text;
        DecodingError::Kind kind;
    };
    const Case cases[] = {
        {R"({"frameRate":"25","upperLimit":"24 hours","subFramesBase":50,)" + tail,
         DecodingError::dataCorrupted},
        {R"({"frameRate":"29.97 fps","upperLimit":"24 hours","subFramesBase":80,)" + tail,
         DecodingError::dataCorrupted},
        {R"({"frameRate":"25","upperLimit":"1 day","subFramesBase":80,)" + tail,
         DecodingError::dataCorrupted},
        {R"({"upperLimit":"24 hours","subFramesBase":80,)" + tail, DecodingError::keyNotFound},
        {R"({"frameRate":25,"upperLimit":"24 hours","subFramesBase":80,)" + tail,
         DecodingError::typeMismatch},
        {R"({"frameRate":"25","upperLimit":"24 hours","subFramesBase":null,)" + tail,
         DecodingError::valueNotFound},
        {R"({"frameRate":"25","upperLimit":"24 hours","subFramesBase":80,"days":0.5,"hours":1,)"
         R"("minutes":0,"seconds":0,"frames":0,"subFrames":0})",
         DecodingError::dataCorrupted},
        {R"({"frameRate":"25","upperLimit":"24 hours","subFramesBase":80,)"
         R"("days":18446744073709551615,"hours":1,"minutes":0,"seconds":0,"frames":0,"subFrames":0})",
         DecodingError::dataCorrupted},
        {R"({"frameRate":"25","upperLimit":"24 hours","subFramesBase":80,"days":0})",
         DecodingError::keyNotFound},
        {"[1,2]", DecodingError::typeMismatch},
        {"{not json", DecodingError::dataCorrupted},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decodingFailure(c.text), c.kind) << c.text;
    }
    try {
        (void)decodeTimecode(Json::parse(R"({"frameRate":"25","upperLimit":"24 hours",)"
                                         R"("subFramesBase":80,"days":0,"hours":"1"})"));
        FAIL();
    } catch (const DecodingError& error) {
        EXPECT_EQ(error.codingPath(), std::vector<std::string>{"hours"});
    }
}

TEST(TimecodeCodingTest, SingleValues) {
    EXPECT_EQ(decodeFrameRate("59.94d"), TimecodeFrameRate::fps59_94d);
    EXPECT_EQ(decodeUpperLimit("100 days"), TimecodeUpperLimit::max100Days);
    EXPECT_EQ(decodeSubFramesBase(4), TimecodeSubFramesBase::quarterFrames);
    EXPECT_EQ(encodeSubFramesBase(TimecodeSubFramesBase::max100SubFrames), Json(100));
    EXPECT_EQ(encodeStringFormatOption(TimecodeStringFormatOption::showSubFrames),
              Json("showSubFrames"));
    EXPECT_EQ(decodeStringFormatOption("filenameCompatible"),
              TimecodeStringFormatOption::filenameCompatible);
    try {
        (void)decodeStringFormatOption("alwaysshowdays");
        FAIL();
    } catch (const DecodingError& error) {
        EXPECT_EQ(error.kind(), DecodingError::valueNotFound);
        EXPECT_EQ(error.debugDescription(), "Decoded value is not valid.");
    }
}
