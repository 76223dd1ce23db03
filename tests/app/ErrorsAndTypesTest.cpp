#include "app/ImportState.h"
#include "app/InputType.h"
#include "app/ReportColumns.h"
#include "app/ReportRequest.h"
#include "app/XMLContentError.h"

#include <gtest/gtest.h>
#include <set>

using namespace marrowvale;

TEST(InputType, RawValuesMatchExactly) {
    const InputType all[] = {InputType::null,     InputType::XMEML,    InputType::FCPXML,
                             InputType::DaVrOTIO, InputType::PProOTIO, InputType::AvidOTIO};
    for (InputType type : all) {
        EXPECT_EQ(inputTypeFromRawValue(inputTypeRawValue(type)), type);
    }
    EXPECT_EQ(inputTypeRawValue(InputType::DaVrOTIO), "DaVrOTIO");
    EXPECT_EQ(inputTypeFromRawValue("xmeml"), std::nullopt);
    EXPECT_EQ(inputTypeFromRawValue("XMEML "), std::nullopt);
    EXPECT_EQ(inputTypeFromRawValue(""), std::nullopt);

    EXPECT_EQ(columnSetKindForExtension("xml"), ColumnSetKind::xmeml);
    EXPECT_EQ(columnSetKindForExtension("otio"), ColumnSetKind::otio);
    EXPECT_EQ(columnSetKindForExtension("XML"), std::nullopt);
    EXPECT_EQ(columnSetKindForExtension("fcpxml"), std::nullopt);
}

TEST(XMLContentError, MessageAndSuggestionSplitAtTheSeparator) {
    XMLContentError malformed(XMLContentError::malformed);
    EXPECT_EQ(malformed.errorDescription(), "This XML cannot be parsed");
    EXPECT_EQ(malformed.recoverySuggestion(), "Please export a new XML.");
    EXPECT_STREQ(malformed.what(), "This XML cannot be parsed");

    XMLContentError badOTIO(XMLContentError::badOTIO);
    EXPECT_EQ(badOTIO.errorDescription(), "There is a problem with this OTIO");
    EXPECT_EQ(badOTIO.recoverySuggestion(), "There is a problem with this OTIO");

    XMLContentError tooOld(XMLContentError::fcpxmlTooOld);
    EXPECT_EQ(tooOld.recoverySuggestion(),
              "The minimum version of XML supported is 1.6 (exported from Final Cut Pro 10.3).");
    EXPECT_EQ(XMLContentError(XMLContentError::invalidXMEML).errorDescription(),
              "This is not a valid .xml file");

    std::set<std::string_view> texts;
    for (int i = XMLContentError::malformed; i <= XMLContentError::badOTIO; ++i) {
        XMLContentError error(static_cast<XMLContentError::Case>(i));
        texts.insert(error.rawValue());
        EXPECT_EQ(XMLContentError::fromRawValue(error.rawValue()), error);
    }
    EXPECT_EQ(texts.size(), 8u);
    EXPECT_EQ(XMLContentError::fromRawValue("This XML cannot be parsed"), std::nullopt);
    EXPECT_EQ(std::hash<XMLContentError>{}(malformed),
              std::hash<XMLContentError>{}(XMLContentError(XMLContentError::malformed)));
}

TEST(ReportVocabulary, KeysAndTrackSelection) {
    std::set<std::string_view> keys;
    for (const ReportColumn& column : reportColumns) {
        keys.insert(column.optionKey);
    }
    for (TimeGroup group : {TimeGroup::sequence, TimeGroup::source}) {
        for (TimeDisplay display : timeDisplays) {
            keys.insert(timeDisplayOptionKey(group, display));
        }
    }
    keys.insert("useColorText");
    EXPECT_EQ(keys.size(), 36u);
    EXPECT_EQ(timeDisplayOptionKey(TimeGroup::source, TimeDisplay::feetFrames),
              "reportSrcFeet+Frames");
    ASSERT_NE(reportColumnTitled("Frame Rate/Sample Rate"), nullptr);
    EXPECT_EQ(reportColumnTitled("Frame Rate/Sample Rate")->optionKey, "framerate");
    EXPECT_EQ(reportColumnTitled("frame size"), nullptr);

    TrackSelection selection{false, {1, 3}, {}};
    EXPECT_TRUE(selection.includesVideoTrack(3));
    EXPECT_FALSE(selection.includesVideoTrack(2));
    EXPECT_FALSE(selection.includesAudioTrack(1));
    EXPECT_TRUE(TrackSelection{}.includesAudioTrack(7));
}
