// Both readers with addresses of one real movie and one tagged song: only a file on this
// machine whose name hides no NUL is looked at, by the readers and by the report's probe.

#include "GeneratedMedia.h"
#include "otio/OTIOTestSupport.h"
#include "services/ClipMediaProbe.h"
#include "xmeml/ProcessXMEML.h"

#include <gtest/gtest.h>

namespace marrowvale::testing {
namespace {

namespace fs = std::filesystem;

struct Address {
    std::string label;
    std::string prefix; // before the file's absolute path
    std::string suffix; // after it
    bool local;
};

const Address addresses[] = {
    {"this machine", "file://localhost", "", true},
    {"another host", "file://otherhost", "", false},
    {"an escaped NUL", "file://localhost", "%00.evil", false},
};

std::string address(const Address& a, const fs::path& file) {
    return a.prefix + file.string() + a.suffix;
}

const std::string ntsc = "<rate><timebase>30</timebase><ntsc>TRUE</ntsc></rate>";

std::string xmemlClip(const std::string& id, const std::string& url, const std::string& media) {
    return "<clipitem id=\"c" + id + "\"><name>" + id + "</name>" + ntsc +
           "<start>0</start><end>10</end><in>0</in><out>10</out><file id=\"f" + id +
           "\"><pathurl>" + url + "</pathurl>" + ntsc + "<duration>30</duration><timecode>" + ntsc +
           "<frame>0</frame><displayformat>NDF</displayformat></timecode><media>" + media +
           "</media></file></clipitem>";
}

TEST(MediaAddresses, OnlyFilesOnThisMachineAreOpened) {
    const GeneratedMedia media;
    const fs::path movie = media.movie("movie.mov", "30000/1001", "01:00:00;00");
    const fs::path song = media.id3Song("song.mp3", {{"TIT2", "Anthem"}});
    const fs::path thumbnails = media.folder() / "thumbnails";
    fs::create_directory(thumbnails);

    // XMEML: each address names the movie on a video track and the song on an audio track.
    std::string video;
    std::string audio;
    for (std::size_t i = 0; i < std::size(addresses); ++i) {
        video += xmemlClip("v" + std::to_string(i), address(addresses[i], movie), "<video/>");
        audio += xmemlClip("a" + std::to_string(i), address(addresses[i], song), "<audio/>");
    }
    ModelContext xmemlStore;
    RecordingHost host;
    const XMEMLImportResult xmeml =
        processXMEML(xmemlStore,
                     "<xmeml><sequence><name>S</name>" + ntsc + "<media><video><track>" + video +
                         "</track></video><audio><track>" + audio +
                         "</track></audio></media></sequence></xmeml>",
                     host);
    ASSERT_TRUE(xmeml.imported);
    const Composition& sequence = *xmemlStore.fetchAll<Composition>().at(0);
    ClipMediaProbe probe(nullptr);

    // OTIO: each address names the movie, whose timecode track says drop-frame.
    json clips = json::array();
    for (const Address& a : addresses) {
        json item = clip(a.label, "", 0, 30, 29.97);
        item["media_references"] = {{"DEFAULT_MEDIA", externalMedia(address(a, movie), 0, 29.97)}};
        clips.push_back(item);
    }
    ModelContext otioStore;
    ASSERT_TRUE(processOTIODocument(otioStore, timeline({track("Video", clips)}, 29.97).dump(),
                                    "t.otio", false, 100, 2000, host));
    const std::vector<Asset*> otioAssets = otioStore.fetchAll<Asset>();
    ASSERT_EQ(otioAssets.size(), std::size(addresses));

    for (std::size_t i = 0; i < std::size(addresses); ++i) {
        const Address& a = addresses[i];
        SCOPED_TRACE(a.label);
        const StoryElement& shot = *sequence.videoTracks.at(0)->elements.at(i);
        const StoryElement& sound = *sequence.audioTracks.at(0)->elements.at(i);
        EXPECT_EQ(shot.asset->online, a.local);
        EXPECT_EQ(sound.asset->online, a.local);
        const std::optional<ThumbnailResult> picture =
            probe.makeThumbnails({ThumbnailRequest{1, 32, &shot}}, thumbnails, nullptr).at(0);
        ASSERT_TRUE(picture);
        EXPECT_TRUE(a.local ? fs::exists(picture->text) : picture->text == "Offline")
            << picture->text;
        EXPECT_EQ(probe.readAudioMetadata(sound)->ID3title, a.local ? "Anthem" : "");

        // Only a probed file tells its drop-frame counting.
        EXPECT_EQ(otioAssets[i]->online, a.local);
        EXPECT_EQ(otioAssets[i]->timecodeFrameRate, a.local ? "29.97d" : "29.97");
    }
}

} // namespace
} // namespace marrowvale::testing
