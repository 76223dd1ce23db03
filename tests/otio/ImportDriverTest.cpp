// The import driver: the producing editor, the sequence's name, refused files and the
// progress bar, over small documents written here.
#include "OTIOTestSupport.h"

#include <fstream>
#include <gtest/gtest.h>

namespace marrowvale::testing {
namespace {

std::size_t storedObjects(const ModelContext& store) {
    return store.count<EventBin>() + store.count<VideoFormat>() + store.count<Asset>() +
           store.count<Composition>() + store.count<StoryElement>() + store.count<VideoTrack>() +
           store.count<AudioTrack>();
}

const json resolveBlock = {{"Resolve OTIO Meta Version", "1.0"}};
const json avidBlock = {
    {"Name", "Cut"},
    {"MobAttributeList", {{"SEQUERNCE_FORMAT_STRING", "1080p/23.976"}, {"_VERSION", 1}}}};
const json premiereBlock = {{"AudioFrameRate", 48000},
                            {"VideoResolution", {{"width", 1920}, {"height", 1080}}}};

TEST(ImportDriver, TheProducerIsRecognisedFromTheMetadata) {
    struct Case {
        json timelineMetadata;
        json stackMetadata; // null: none
        json clipMetadata;  // null: none
        InputType expected;
        bool formatLine;
    };
    const Case cases[] = {
        {json::object(), nullptr, nullptr, InputType::DaVrOTIO, false},
        {{{"Resolve_OTIO", resolveBlock}}, nullptr, nullptr, InputType::DaVrOTIO, false},
        {json::object(),
         {{"PremierePro_OTIO", premiereBlock}},
         nullptr,
         InputType::PProOTIO,
         false},
        {{{"AAF", avidBlock}}, nullptr, nullptr, InputType::AvidOTIO, true},
        // Media Composer's block beside another editor's: the other editor wins.
        {{{"AAF", avidBlock}},
         {{"PremierePro_OTIO", premiereBlock}},
         nullptr,
         InputType::PProOTIO,
         true},
        {{{"Resolve_OTIO", resolveBlock}, {"AAF", avidBlock}},
         nullptr,
         nullptr,
         InputType::DaVrOTIO,
         true},
        // Only the top stack's Premiere block counts.
        {json::object(),
         nullptr,
         {{"PremierePro_OTIO", json::object()}},
         InputType::DaVrOTIO,
         false},
        // A file converted from an AAF has no attribute list.
        {{{"AAF", {{"Name", "Cut"}}}}, nullptr, nullptr, InputType::AvidOTIO, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.timelineMetadata.dump() + c.stackMetadata.dump());
        json item = clip("A", "", 0, 10);
        if (!c.clipMetadata.is_null()) {
            item["metadata"] = c.clipMetadata;
        }
        json document = timeline({track("Video", {item})});
        document["metadata"] = c.timelineMetadata;
        if (!c.stackMetadata.is_null()) {
            document["tracks"]["metadata"] = c.stackMetadata;
        }
        auto imported = importDocument(document);
        ASSERT_TRUE(imported->imported);
        EXPECT_EQ(imported->host.inputType, c.expected);
        const auto& lines = imported->host.diagnostics;
        const bool hasFormatLine =
            std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
                return line.starts_with("Sequence Format String: ");
            });
        EXPECT_EQ(hasFormatLine, c.formatLine);
    }
}

TEST(ImportDriver, TheSequenceIsNamedAfterTheTimelineOrElseTheFile) {
    const std::pair<std::string, std::string> cases[] = {
        {"Reel 1", "Reel 1"}, {"", "Reel 2 cut"}, {"  ", "  "}, // not empty
    };
    for (const auto& [name, expected] : cases) {
        ImportOptions options;
        options.fileName = "/projects/Reel 2 cut.otio";
        auto imported = importDocument(timeline(json::array(), 24, 0, name), options);
        ASSERT_EQ(imported->store.count<EventBin>(), 1u);
        EXPECT_EQ(imported->sequence().name, expected);
        EXPECT_EQ(imported->store.fetchAll<EventBin>()[0]->name, "");
    }
}

TEST(ImportDriver, ARefusedFileAlertsAndStoresNothing) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "The document is empty"},
        {"not json", "not valid JSON"},
        {R"({"OTIO_SCHEMA": "Timeline.1", "metadata": {}, "name": "Cut"})", "tracks"},
        {timeline({track("Video", {{{"OTIO_SCHEMA", "Clip.2"}}})}).dump(), "name"},
    };
    for (const auto& [bytes, reason] : cases) {
        SCOPED_TRACE(bytes);
        auto imported = importBytes(bytes);
        EXPECT_FALSE(imported->imported);
        ASSERT_EQ(imported->host.alerts.size(), 1u);
        EXPECT_EQ(imported->host.alerts[0].first, "There is a problem with this OTIO");
        EXPECT_NE(imported->host.alerts[0].second.find(reason), std::string::npos)
            << imported->host.alerts[0].second;
        EXPECT_EQ(imported->host.inputType, InputType::DaVrOTIO);
        EXPECT_EQ(imported->host.starts, 0);
        EXPECT_EQ(storedObjects(imported->store), 0u);
    }

    ModelContext store;
    RecordingHost host;
    EXPECT_FALSE(processOTIO(store, "/nowhere/cut.otio", std::nullopt, 100, 2000, host));
    ASSERT_EQ(host.alerts.size(), 1u);
    EXPECT_EQ(host.alerts[0].second,
              "The file \u201ccut.otio\u201d couldn\u2019t be read: No such file or directory.");
}

TEST(ImportDriver, TextInUTF16OrUTF32IsRead) {
    const std::string text = timeline(json::array(), 25, 0, "Caf\u00e9").dump();
    // The text in the wide encodings, by hand: it is ASCII apart from one character.
    const auto wide = [&text](int width, bool bigEndian, bool mark) {
        std::u32string characters = U"\uFEFF";
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (static_cast<unsigned char>(text[i]) == 0xC3) {
                characters += U'\u00e9';
                ++i;
            } else {
                characters += static_cast<char32_t>(text[i]);
            }
        }
        std::string bytes;
        for (std::size_t i = mark ? 0 : 1; i < characters.size(); ++i) {
            for (int b = 0; b < width; ++b) {
                const int shift = 8 * (bigEndian ? width - 1 - b : b);
                bytes += static_cast<char>((characters[i] >> shift) & 0xFF);
            }
        }
        return bytes;
    };
    const std::string documents[] = {"\xEF\xBB\xBF" + text, wide(2, false, true),
                                     wide(2, true, false), wide(4, false, false),
                                     wide(4, true, true)};
    for (const std::string& bytes : documents) {
        auto imported = importBytes(bytes);
        ASSERT_TRUE(imported->imported) << imported->host.alerts.at(0).second;
        EXPECT_EQ(imported->sequence().name, "Caf\u00e9");
    }
}

TEST(ImportDriver, TheProgressBarEndsFull) {
    // Two tracks with items, an empty track and a child that is no track: the bar's maximum
    // is what the steps add up to.
    json document = timeline({track("Video", {clip("A", "/m/a.mov", 0, 10), gap(5)}),
                              track("Audio", {clip("A", "/m/a.mov", 0, 10)}),
                              track("Video", json::array()), track("Subtitle", {gap(3)})});
    auto imported = importDocument(document);
    EXPECT_EQ(imported->host.starts, 1);
    EXPECT_DOUBLE_EQ(imported->host.maximum, 0.5 + 1 + 100 + 2 * 2000.0 / 4);
    EXPECT_NEAR(imported->host.value, imported->host.maximum, 1e-9);

    auto empty = importDocument(timeline(json::array()));
    EXPECT_DOUBLE_EQ(empty->host.maximum, 1.5);
    EXPECT_DOUBLE_EQ(empty->host.value, 1.5);
    EXPECT_EQ(empty->store.count<EventBin>(), 1u); // a timeline without tracks still has a bin
}

} // namespace
} // namespace marrowvale::testing
