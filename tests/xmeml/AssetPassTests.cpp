#include "XMEMLTestSupport.h"
#include "support/ScratchFolder.h"
#include "xmeml/AssetPass.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace marrowvale::testing {
namespace {

std::string characteristics(std::string_view inner) {
    return "<samplecharacteristics>" + std::string(inner) + "</samplecharacteristics>";
}

std::string videoFile(std::string_view id, std::string_view sampleCharacteristics,
                      std::string_view extra = "<duration>250</duration>") {
    return "<file id=\"" + std::string(id) + "\"><pathurl>file://localhost/m/" + std::string(id) +
           ".mov</pathurl>" + std::string(extra) + "<media><video>" +
           std::string(sampleCharacteristics) + "</video></media></file>";
}

std::string documentWithFiles(const std::string& files) {
    return "<xmeml><sequence><media><video><track><clipitem>" + files +
           "</clipitem></track></video></media></sequence></xmeml>";
}

TEST(AssetPass, FormatsFromSampleCharacteristics) {
    struct Case {
        std::string characteristics;
        std::string rateText, id, fieldOrder;
        std::int64_t width, height;
        std::string frameSize;
    };
    const std::string hd = "<width>1920</width><height>1080</height>";
    const Case cases[] = {
        {"<rate><timebase>30</timebase><ntsc>TRUE</ntsc></rate>" + hd, "29.97p", "f2", "none", 1920,
         1080, "1920 X 1080"},
        {"<rate><timebase>24</timebase><ntsc>TRUE</ntsc></rate>" + hd, "23.98p", "f2", "none", 1920,
         1080, "1920 X 1080"},
        {"<rate><timebase>60</timebase><ntsc>true</ntsc></rate>" + hd, "59.94p", "f2", "none", 1920,
         1080, "1920 X 1080"},
        {"<rate><timebase>25</timebase><ntsc>FALSE</ntsc></rate>" + hd +
             "<fielddominance>upper</fielddominance>",
         "25p", "f2", "upper", 1920, 1080, "1920 X 1080"},
        {"<rate><timebase>15</timebase></rate>" + hd, "100p", "10ms/f2", "none", 1920, 1080,
         "1920 X 1080"},
        // A timebase no picture runs at, beyond the integer range or not: the rate of the file's
        // sequence stands in (29.97p, the default format's, for one without a format).
        {"<rate><timebase>99999999999999999999</timebase></rate>" + hd, "29.97p", "f2", "none",
         1920, 1080, "1920 X 1080"},
        {"<rate><timebase>9223372036854775807</timebase></rate>" + hd, "29.97p", "f2", "none", 1920,
         1080, "1920 X 1080"},
        {"<rate><timebase>25</timebase></rate>", "25p", "f2", "none", 0, 0, "0 X 0"},
        {"<rate><timebase>25</timebase></rate><width>wide</width><height>x</height>", "25p", "f2",
         "none", 1280, 720, "1280 X 720"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.characteristics);
        auto imported =
            importXMEML(documentWithFiles(videoFile("a", characteristics(c.characteristics))));
        Asset* asset = imported->asset("a");
        ASSERT_NE(asset, nullptr);
        ASSERT_NE(asset->videoFormat, nullptr);
        EXPECT_EQ(asset->videoFormat->videoFrameRate, c.rateText);
        EXPECT_EQ(asset->videoFormat->id, c.id);
        EXPECT_EQ(asset->videoFormat->fieldOrder, c.fieldOrder);
        EXPECT_EQ(asset->videoFormat->width, c.width);
        EXPECT_EQ(asset->videoFormat->height, c.height);
        EXPECT_EQ(asset->frameSize, c.frameSize);
    }
}

TEST(AssetPass, FormatsAreSharedAndTheDefaultIsFreshPerImport) {
    const std::string hd25 =
        characteristics("<rate><timebase>25</timebase></rate><width>1920</width><height>1080"
                        "</height>");
    const std::string default720 =
        characteristics("<rate><timebase>30</timebase><ntsc>TRUE</ntsc></rate><width>1280"
                        "</width><height>720</height><fielddominance>none</fielddominance>");
    const std::string sd25 =
        characteristics("<rate><timebase>25</timebase></rate><width>720</width><height>576"
                        "</height>");
    auto imported = importXMEML(documentWithFiles(videoFile("a", hd25) + videoFile("b", hd25) +
                                                  videoFile("c", default720) +
                                                  "<file id=\"d\"><pathurl>x</pathurl></file>" +
                                                  videoFile("e", sd25) + videoFile("f", hd25)));
    auto formats = imported->store.fetchAll<VideoFormat>();
    ASSERT_EQ(formats.size(), 3u);
    EXPECT_EQ(imported->asset("e")->videoFormat->id, "f3");
    EXPECT_EQ(imported->asset("f")->videoFormat, imported->asset("a")->videoFormat);
    EXPECT_EQ(formats[0]->id, "ppr0");
    EXPECT_EQ(formats[0]->name, "FFVideoFormat720p2997");
    EXPECT_EQ(imported->asset("a")->videoFormat, imported->asset("b")->videoFormat);
    EXPECT_EQ(imported->asset("c")->videoFormat, formats[0]);
    EXPECT_EQ(imported->asset("d")->videoFormat, formats[0]);
    EXPECT_EQ(imported->asset("d")->frameSize, "");

    // A second import owns its own default format: nothing outlives the first store.
    auto again = importXMEML(documentWithFiles(videoFile("a", hd25)));
    EXPECT_NE(again->store.fetchAll<VideoFormat>()[0], formats[0]);
    imported.reset();
    EXPECT_EQ(again->store.fetchAll<VideoFormat>()[0]->id, "ppr0");
}

TEST(AssetPass, TimecodeRateStartAndDuration) {
    struct Case {
        std::string file;
        std::string rate;
        double firstFrame, duration;
        Asset::Category category;
    };
    const std::string ntsc30 = characteristics("<rate><timebase>30</timebase><ntsc>TRUE</ntsc>"
                                               "</rate>");
    const std::string pal = characteristics("<rate><timebase>25</timebase></rate>");
    const Case cases[] = {
        {videoFile("a", ntsc30,
                   "<duration>250</duration><timecode><displayformat>DF"
                   "</displayformat><frame>86400</frame><string>00:00:00;00"
                   "</string></timecode>"),
         "29.97d", 86400, 250, Asset::Category::Video},
        {videoFile("a", ntsc30,
                   "<timecode><displayformat>df</displayformat><string>01:00:00:00"
                   "</string></timecode>"),
         "29.97", 108000, 0, Asset::Category::Image},
        {videoFile("a", ntsc30,
                   "<timecode><displayformat>DF</displayformat><string>01:00:00;00"
                   "</string></timecode><duration>x</duration>"),
         "29.97d", 107892, 0, Asset::Category::Image},
        {videoFile("a", pal,
                   "<timecode><displayformat>DF</displayformat><string>01:00:00:00.50"
                   "</string></timecode>"),
         "25", 90000.5, 0, Asset::Category::Image},
        {videoFile("a", pal, "<timecode><string>25:00:00:00</string></timecode>"), "25", 0, 0,
         Asset::Category::Image},
        {"<file id=\"a\"><pathurl>x</pathurl><duration>10</duration><timecode><displayformat>DF"
         "</displayformat></timecode><media><audio><samplecharacteristics><samplerate>48000"
         "</samplerate></samplecharacteristics></audio></media></file>",
         "29.97d", 0, 10, Asset::Category::Audio},
        {"<file id=\"a\"><pathurl>x</pathurl><media><video/><audio/></media></file>", "29.97", 0, 0,
         Asset::Category::AV},
        {"<file id=\"a\"><pathurl>x</pathurl></file>", "29.97", 0, 0, Asset::Category::null},
        // Characteristics without a rate: the file's own rate, then 30.
        {videoFile("a", characteristics("<width>3424</width>"),
                   "<rate><timebase>24</timebase><ntsc>FALSE</ntsc></rate><timecode><string>"
                   "12:44:37:23</string></timecode>"),
         "24", 1101071, 0, Asset::Category::Image},
        {videoFile("a", characteristics("<rate><ntsc>TRUE</ntsc></rate>"),
                   "<rate><timebase>24</timebase><ntsc>TRUE</ntsc></rate>"),
         "23.976", 0, 0, Asset::Category::Image},
        {videoFile("a", pal, "<rate><timebase>24</timebase></rate>"), "25", 0, 0,
         Asset::Category::Image},
        {videoFile("a", characteristics(""), ""), "30", 0, 0, Asset::Category::Image},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        auto imported = importXMEML(documentWithFiles(c.file));
        Asset* asset = imported->asset("a");
        ASSERT_NE(asset, nullptr);
        EXPECT_EQ(asset->timecodeFrameRate, c.rate);
        EXPECT_DOUBLE_EQ(asset->firstFrame, c.firstFrame);
        EXPECT_DOUBLE_EQ(asset->duration, c.duration);
        EXPECT_EQ(asset->category, c.category);
    }
}

TEST(AssetPass, LocationNameAndOnlineFlag) {
    const ScratchFolder scratch;
    const auto folder = scratch.path() / "marrowvale xmeml localhost";
    std::filesystem::create_directories(folder);
    const auto media = folder / "A001 take.mov";
    std::ofstream(media) << "media";
    std::string encodedFolder;
    for (char c : folder.string()) {
        encodedFolder += c == ' ' ? std::string("%20") : std::string(1, c);
    }

    auto imported = importXMEML(documentWithFiles(
        "<file id=\"on\"><pathurl>file://localhost" + encodedFolder +
        "/A001%20take.mov</pathurl></file>"
        "<file id=\"off\"><pathurl>file://localhost/Volumes/localhost/B002.mov</pathurl>"
        "<name>Named</name></file>"
        "<file><pathurl>file://localhost/x/C003.mov</pathurl></file>"
        "<file id=\"empty\"><pathurl></pathurl></file>"));
    Asset* online = imported->asset("on");
    ASSERT_NE(online, nullptr);
    EXPECT_EQ(online->url, "file://" + encodedFolder + "/A001%20take.mov");
    EXPECT_EQ(online->name, "A001%20take.mov");
    EXPECT_TRUE(online->online);

    Asset* offline = imported->asset("off");
    EXPECT_EQ(offline->url, "file:///Volumes/localhost/B002.mov");
    EXPECT_EQ(offline->name, "Named");
    EXPECT_FALSE(offline->online);

    auto assets = imported->store.fetchAll<Asset>();
    ASSERT_EQ(assets.size(), 4u);
    for (const Asset* asset : assets) {
        EXPECT_FALSE(asset->readable || asset->added || asset->securityscopedURL) << asset->id;
    }
    // A file without an id gets an upper-case UUID.
    EXPECT_EQ(assets[2]->id.size(), 36u);
    EXPECT_EQ(assets[2]->id.find_first_not_of("0123456789ABCDEF-"), std::string::npos);
    EXPECT_EQ(assets[3]->url, std::nullopt);
    EXPECT_EQ(assets[3]->name, "");
    EXPECT_FALSE(assets[3]->online);

    EXPECT_EQ(assetURL("file://localhostess/a"), "file://localhostess/a");
    EXPECT_EQ(assetURL("file://localhost"), "file://");
    std::filesystem::remove_all(folder);
}

TEST(AssetPass, ProgressIsSharedByTheFiles) {
    auto imported = importXMEML(documentWithFiles(
        "<file id=\"a\"><pathurl>a</pathurl></file><file id=\"b\"><pathurl>b</pathurl></file>"
        "<file id=\"c\"><pathurl>c</pathurl></file><file id=\"d\"><pathurl>d</pathurl></file>"));
    ASSERT_GE(imported->host.steps.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(imported->host.steps[i], 25);
    }
}

} // namespace
} // namespace marrowvale::testing
