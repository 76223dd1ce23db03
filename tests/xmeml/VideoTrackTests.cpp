#include "XMEMLTestSupport.h"
#include "xmeml/XMEMLImport.h"

#include <gtest/gtest.h>

namespace marrowvale::testing {
namespace {

TEST(VideoTracks, TracksAndTheirNumbers) {
    auto imported = importXMEML(sequenceWithTracks(
        30, false,
        "<track/><track><enabled>FALSE</enabled><generatoritem><start>0</start><end>5</end>"
        "</generatoritem></track><track MZ.TrackName=\"Graphics\"><enabled>false</enabled>"
        "<transitionitem><start>0</start><end>5</end></transitionitem></track>",
        ""));
    auto& tracks = imported->sequence().videoTracks;
    ASSERT_EQ(tracks.size(), 2u);
    EXPECT_EQ(tracks[0]->trackIdx, 1);
    EXPECT_EQ(tracks[0]->name, "V2");
    EXPECT_FALSE(tracks[0]->enabled);
    EXPECT_EQ(tracks[1]->name, "Graphics");
    EXPECT_TRUE(tracks[1]->enabled);

    StoryElement& generator = *tracks[0]->elements[0];
    EXPECT_EQ(generator.category, StoryElement::Category::null);
    EXPECT_EQ(generator.spreadsheetSortOrder, 10);
    EXPECT_EQ(generator.trackType, TrackType::Video);
    EXPECT_EQ(generator.trackName, "V2");
    EXPECT_EQ(generator.name, "generatoritem");
    StoryElement& transition = *tracks[1]->elements[0];
    EXPECT_EQ(transition.category, StoryElement::Category::transition);
    EXPECT_EQ(transition.timecodeFrameRate, "30");
    EXPECT_EQ(transition.srcInpoint, std::nullopt);
    EXPECT_EQ(transition.srcDuration, std::nullopt);
}

TEST(VideoTracks, StartAndEndFromNeighbours) {
    auto imported = importXMEML(sequenceWithTracks(
        30, false,
        "<track>\n"
        "  <clipitem><name>first</name><start>-1</start><end>40</end></clipitem>\n"
        "  <transitionitem><start>100</start><end>120</end></transitionitem>\n"
        "  <clipitem><name>middle</name><enabled>FALSE</enabled><start>-1</start><end>-1</end>"
        "<in>10</in><out>160</out><file/></clipitem>\n"
        "  <transitionitem><start>240</start><end>250</end></transitionitem>\n"
        "  <clipitem><name></name><start>300</start><end>-1</end></clipitem>\n"
        "</track>",
        ""));
    auto& items = imported->videoItems();
    ASSERT_EQ(items.size(), 5u);
    EXPECT_DOUBLE_EQ(items[0]->clipTimelinePosition, 0); // no earlier sibling
    EXPECT_DOUBLE_EQ(items[2]->clipTimelinePosition, 100);
    EXPECT_DOUBLE_EQ(items[2]->clipDuration, 150);
    EXPECT_FALSE(items[2]->enabled);
    EXPECT_EQ(items[2]->name, "middle");
    // A file without an id looks for the asset "MISSING": no asset, the sequence's rate.
    EXPECT_EQ(items[2]->asset, nullptr);
    EXPECT_EQ(items[2]->timecodeFrameRate, "30");
    EXPECT_DOUBLE_EQ(items[2]->firstFrame, 0);
    EXPECT_EQ(items[2]->srcInpoint, 10);
    EXPECT_EQ(items[2]->srcDuration, 150);
    EXPECT_DOUBLE_EQ(items[4]->clipDuration, -300); // no later sibling: end 0
    EXPECT_EQ(items[4]->name, "");
    EXPECT_EQ(items[4]->category, StoryElement::Category::assetclip);
}

TEST(VideoTracks, ClipsAtAnotherRateAreConverted) {
    auto imported = importXMEML(sequenceWithTracks(
        30, true,
        "<track><clipitem id=\"ci-1\"><name></name><start>0</start><end>300</end><in>300</in>"
        "<out>600</out>" +
            fileXML("f24", "A001", 24, true) +
            "</clipitem><clipitem><name>same</name><start>300</start><end>400</end><in>300</in>"
            "<out>600</out>" +
            fileXML("f30", "B001", 30, true) +
            "</clipitem><clipitem><name>conformed</name><start>400</start><end>500</end>"
            "<rate><timebase>15</timebase><ntsc>TRUE</ntsc></rate><in>0</in><out>50</out>"
            "<file id=\"f30\"/></clipitem></track>",
        "<track><clipitem><name>audio</name><start>0</start><end>300</end><in>300</in>"
        "<out>600</out><file id=\"f24\"/></clipitem><clipitem><name>sound</name><start>300"
        "</start><end>400</end><in>300</in><out>600</out><file id=\"wav\"><pathurl>x</pathurl>"
        "<media><audio/></media></file></clipitem></track>"));
    StoryElement& converted = *imported->videoItems()[0];
    EXPECT_EQ(converted.id, "ci-1");
    EXPECT_EQ(converted.name, "A001");
    EXPECT_EQ(converted.timecodeFrameRate, "23.976");
    EXPECT_NEAR(*converted.srcInpoint, 240, 1e-9);
    EXPECT_NEAR(*converted.srcDuration, 240, 1e-9);
    StoryElement& same = *imported->videoItems()[1];
    EXPECT_EQ(same.timecodeFrameRate, "29.97");
    EXPECT_EQ(same.srcInpoint, 300);
    EXPECT_EQ(same.srcDuration, 300);
    // In and out count at the clip item's own rate when it has one.
    StoryElement& conformed = *imported->videoItems()[2];
    EXPECT_NEAR(*conformed.srcDuration, 100, 1e-9);
    // The audio half of a clip with pictures converts like its video half; an audio-only
    // file's rate is a stand-in, so its items keep their numbers.
    StoryElement& audio = *imported->audioItems()[0];
    EXPECT_EQ(audio.timecodeFrameRate, "23.976");
    EXPECT_NEAR(*audio.srcInpoint, 240, 1e-9);
    EXPECT_NEAR(*audio.srcDuration, 240, 1e-9);
    StoryElement& sound = *imported->audioItems()[1];
    EXPECT_EQ(sound.srcInpoint, 300);
    EXPECT_EQ(sound.srcDuration, 300);
}

// A clip's or file's timebase that no picture runs at is named once, however many items use
// it, and their in and out are read at the sequence's rate.
TEST(VideoTracks, ClipRatesNoPictureRunsAtAreReadAtTheSequencesRateWithOneWarning) {
    const std::string document = sequenceWithTracks(
        25, false,
        "<track><clipitem><name>A</name><start>0</start><end>300</end><rate><timebase>BAD"
        "</timebase></rate><in>300</in><out>600</out>" +
            fileXML("bad", "Bad", 0, false) +
            "</clipitem><clipitem><name>B</name><start>300</start><end>600</end><rate><timebase>"
            "BAD</timebase></rate><in>300</in><out>600</out><file id=\"bad\"/></clipitem>"
            "<clipitem><name>C</name><start>600</start><end>900</end><rate><timebase>BAD"
            "</timebase></rate><in>300</in><out>600</out>" +
            fileXML("good", "Good", 25, false) + "</clipitem></track>",
        "<track><clipitem><name>A</name><start>0</start><end>300</end><rate><timebase>BAD"
        "</timebase></rate><in>300</in><out>600</out><file id=\"bad\"/></clipitem></track>");
    const std::string rates[] = {"Infinity", "1e300", "1e-300", "0", "-25", "NaN", "999999999"};
    for (const std::string& bad : rates) {
        SCOPED_TRACE(bad);
        std::string text = document;
        for (std::size_t at; (at = text.find("BAD")) != std::string::npos;) {
            text.replace(at, 3, bad);
        }
        // The file's own rates are the bad one too.
        text.replace(text.find("<timebase>0</timebase>"), 22, "<timebase>" + bad + "</timebase>");
        text.replace(text.find("<timebase>0</timebase>"), 22, "<timebase>" + bad + "</timebase>");
        auto imported = importXMEML(text);
        ASSERT_TRUE(imported->result.imported);
        EXPECT_EQ(imported->result.warnings,
                  std::vector<std::string>{"A clip\u2019s rate (timebase " + bad +
                                           ") is not a frame rate; times at that rate are read "
                                           "at the rate of their sequence."});
        EXPECT_EQ(imported->asset("bad")->videoFormat->videoFrameRate, "25p");
        std::vector<StoryElement*> items = imported->videoItems();
        items.push_back(imported->audioItems().at(0));
        for (const StoryElement* item : items) {
            EXPECT_EQ(item->timecodeFrameRate, "25") << item->name;
            EXPECT_EQ(item->srcInpoint, 300) << item->name;
            EXPECT_EQ(item->srcDuration, 300) << item->name;
        }
    }

    // Thousands of distinct such timebases are named a few at a time, then once as "more".
    std::string items;
    for (int i = 1; i <= 1000; ++i) {
        items += "<clipitem><name>X</name><start>0</start><end>10</end><rate><timebase>" +
                 std::to_string(1000 + i) + "</timebase></rate><in>0</in><out>10</out>" +
                 (i == 1 ? fileXML("good", "Good", 25, false) : "<file id=\"good\"/>") +
                 "</clipitem>";
    }
    auto imported = importXMEML(sequenceWithTracks(25, false, "<track>" + items + "</track>", ""));
    std::vector<std::string> expected;
    for (int i = 1; i <= 5; ++i) {
        expected.push_back("A clip\u2019s rate (timebase " + std::to_string(1000 + i) +
                           ") is not a frame rate; times at that rate are read at the rate of "
                           "their sequence.");
    }
    expected.emplace_back("More clips\u2019 rates are not frame rates; times at those rates are "
                          "read at the rate of their sequence too.");
    EXPECT_EQ(imported->result.warnings, expected);

    // A long text is cut short before the character its 40th byte falls in, never inside it.
    const std::string accented = std::string(39, '9') + "\u00e9\u00e9";
    imported = importXMEML(sequenceWithTracks(
        25, false,
        "<track><clipitem><name>X</name><start>0</start><end>10</end><rate><timebase>" + accented +
            "</timebase></rate><in>0</in><out>10</out>" + fileXML("good", "Good", 25, false) +
            "</clipitem></track>",
        ""));
    EXPECT_EQ(imported->result.warnings,
              std::vector<std::string>{"A clip\u2019s rate (timebase " + std::string(39, '9') +
                                       "\u2026) is not a frame rate; times at that rate are read "
                                       "at the rate of their sequence."});
}

std::string base64(std::string_view bytes) {
    static const char* alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        v |= i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) << 8 : 0;
        v |= i + 2 < bytes.size() ? static_cast<unsigned char>(bytes[i + 2]) : 0;
        out += alphabet[(v >> 18) & 63];
        out += alphabet[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? alphabet[(v >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? alphabet[v & 63] : '=';
    }
    return out;
}

std::string generatedClip(std::string_view source, std::string_view effect) {
    return "<clipitem><start>0</start><end>10</end><in>5</in><out>15</out><file id=\"g\">"
           "<mediaSource>" +
           std::string(source) + "</mediaSource></file>" + std::string(effect) + "</clipitem>";
}

TEST(VideoTracks, SlugsGraphicsAndTitles) {
    using namespace std::string_literals;
    const std::string hello = base64("Arial\0\0HELLO\0"s);
    const std::string world = base64("Arial\0WORLD"s);
    const std::string titleEffect =
        "<filter><effect><name>Title Card</name><parameter><name>Source Text</name><value>" +
        hello + "</value></parameter><parameter><name>Other</name><value>" + world +
        "</value></parameter></effect></filter>";
    const std::string textless =
        "<filter><effect><name>Lower Third</name><parameter><name>Source Text</name>"
        "<value>not base64!</value></parameter></effect></filter>";
    const std::string graphic = "<filter><effect><name>Logo</name></effect></filter>";
    auto imported = importXMEML(sequenceWithTracks(
        24, false,
        "<track>" + generatedClip("Slug", "") + generatedClip("GraphicAndType", titleEffect) +
            generatedClip("GraphicAndType", textless) + generatedClip("GraphicAndType", graphic) +
            generatedClip("Other", graphic) + "</track>",
        "<track>" + generatedClip("Slug", "") + "</track>"));
    auto& items = imported->videoItems();
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0]->category, StoryElement::Category::generator);
    EXPECT_EQ(items[0]->name, "Black Video");
    EXPECT_EQ(items[0]->timecodeFrameRate, "24");
    EXPECT_EQ(items[0]->srcInpoint, 5);

    EXPECT_EQ(items[1]->category, StoryElement::Category::title);
    EXPECT_EQ(items[1]->name, "Title Card");
    const std::map<std::string, std::string> title{{"font", "Arial"}, {"text", "HELLO\nWORLD"}};
    EXPECT_EQ(items[1]->params, title);

    EXPECT_EQ(items[2]->category, StoryElement::Category::title);
    const std::map<std::string, std::string> named{{"text", "Lower Third"}};
    EXPECT_EQ(items[2]->params, named);

    EXPECT_EQ(items[3]->category, StoryElement::Category::generator);
    EXPECT_EQ(items[3]->name, "Logo");
    EXPECT_TRUE(items[3]->params.empty());

    EXPECT_EQ(items[4]->category, StoryElement::Category::assetclip);
    EXPECT_EQ(items[4]->name, "Logo"); // the first name below the item

    // Audio items have no slugs.
    EXPECT_EQ(imported->audioItems()[0]->category, StoryElement::Category::assetclip);
    EXPECT_EQ(imported->audioItems()[0]->name, "clipitem");
}

} // namespace
} // namespace marrowvale::testing
