// Media read in the probing helper: a file the media libraries would work on for minutes is
// given up on at the time limit, and the files after it are read as usual.
#include "GeneratedMedia.h"
#include "media/MediaProbeProcess.h"
#include "model/Asset.h"
#include "otio/OTIOTestSupport.h"
#include "services/DefaultServices.h"

#include <fstream>
#include <gtest/gtest.h>

namespace marrowvale::testing {
namespace {

namespace fs = std::filesystem;
using dovovevozav::TimecodeFrameRate;

bool contains(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& line : lines) {
        if (line.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

TEST(ProbeProcess, GivesUpOnASlowFileAndGoesOn) {
    const GeneratedMedia media;
    // FFmpeg files each comment with a search through those before it: seconds for this many.
    const fs::path slow = media.commentedFlac("slow.flac", 50'000);
    const fs::path movie = media.movie("2997d.mov", "30000/1001", "01:00:00;00");
    const fs::path song = media.id3Song("song.mp3", {{"TIT2", "Anthem"}});

    MediaProbeProcess probing(std::chrono::milliseconds(2'000));
    const MediaFileProbe givenUp = probing.probe(slow);
    EXPECT_TRUE(probing.gaveUp());
    EXPECT_EQ(givenUp.timecodeFrameRate, std::nullopt);
    EXPECT_NE(givenUp.problem.find("took longer than 2 s"), std::string::npos) << givenUp.problem;
    // A new helper reads the next file: no late answer of the last one takes its place.
    EXPECT_EQ(probing.probe(movie).timecodeFrameRate, TimecodeFrameRate::fps29_97d);
    EXPECT_FALSE(probing.gaveUp());
    // A stop ends the wait at once.
    EXPECT_EQ(
        probing.makeThumbnail({slow, 0, 1, 32, media.folder() / "slow.jpg"}, [] { return true; }),
        std::nullopt);
    EXPECT_TRUE(probing.gaveUp());
    EXPECT_EQ(probing.makeThumbnail({movie, 0, 1, 32, media.folder() / "movie.jpg"}), 24);
    EXPECT_EQ(probing.readTags(song, nullptr).title, "Anthem");
}

// An OTIO timeline naming a FLAC file of 200,000 comments as a clip's media: the import gives
// up on that file and probes the other as usual.
TEST(ProbeProcess, AnOTIOTimelineWithAFileThatTakesTooLong) {
    const GeneratedMedia media;
    const fs::path hostile = media.commentedFlac("hostile.flac", 200'000);
    const fs::path movie = media.movie("2997d.mov", "30000/1001", "01:00:00;00");
    const fs::path file = media.folder() / "cut.otio";
    std::ofstream(file)
        << timeline({track("Video", {clip("Hostile", "file://" + hostile.string(), 0, 30, 29.97),
                                     clip("Movie", "file://" + movie.string(), 0, 30, 29.97)})},
                    29.97)
               .dump();

    const AppServices services = defaultAppServices(nullptr);
    ModelContext store;
    RecordingHost host;
    ASSERT_TRUE(services.processOTIO);
    services.processOTIO(store, file, false, 100.0, 2000.0, host);
    EXPECT_TRUE(host.alerts.empty());
    EXPECT_TRUE(contains(host.diagnostics, movie.string() + ": detected 29.97d"));
    EXPECT_TRUE(contains(host.diagnostics, "hostile.flac\" took longer than 5 s to read"))
        << ::testing::PrintToString(host.diagnostics);
    std::map<std::string, const Asset*> assets;
    for (const Asset* asset : store.fetchAll<Asset>()) {
        assets[asset->name] = asset;
    }
    ASSERT_EQ(assets.size(), 2u);
    EXPECT_EQ(assets["2997d.mov"]->timecodeFrameRate, "29.97d");
    // As a file that cannot be read: on line, no rate of its own, no video track.
    EXPECT_TRUE(assets["hostile.flac"]->online);
    EXPECT_EQ(assets["hostile.flac"]->timecodeFrameRate, "29.97");
    EXPECT_EQ(assets["hostile.flac"]->category, Asset::Category::Image);
}

} // namespace
} // namespace marrowvale::testing
