// Media read in the probing helpers: a file the media libraries would work on for minutes is
// given up on at the time limit, once for all its names and workers, and the files after it are
// read as usual; a helper that dies is replaced, and none is left behind; the waits keep the
// caller's window turning and end on its stop request.
#include "GeneratedMedia.h"
#include "KeptTurning.h"
#include "app/StopRequest.h"
#include "media/MediaProbeProcess.h"
#include "model/Asset.h"
#include "model/StoryElement.h"
#include "otio/OTIOTestSupport.h"
#include "services/ClipMediaProbe.h"
#include "services/DefaultServices.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <fmt/format.h>
#include <fstream>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;
#include <iterator>

namespace marrowvale::testing {
namespace {

namespace fs = std::filesystem;
using dovovevozav::TimecodeFrameRate;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

bool contains(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& line : lines) {
        if (line.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// An importing window: records its turns, and raises its stop request on the first turn
// `stopAfter` into the import when given.
class WaitingHost : public RecordingHost {
public:
    explicit WaitingHost(std::optional<milliseconds> stopAfter = std::nullopt)
        : stopAfter_(stopAfter) {}
    void keepResponsive() override {
        turns.emplace_back(Clock::now(), std::this_thread::get_id());
        if (stopAfter_ && turns.back().first - started_ >= *stopAfter_) {
            stop_.request(StopRequest::quitting);
        }
    }
    const StopRequest* stopRequest() const override { return &stop_; }

    HostTurns turns;

private:
    std::optional<milliseconds> stopAfter_;
    Clock::time_point started_ = Clock::now();
    StopRequest stop_;
};

// Kills the first helper process found, as the system does to a process when memory runs out;
// true when there was one.
bool killAHelper() {
    const std::vector<pid_t> helpers = childProcesses();
    return !helpers.empty() && ::kill(helpers.front(), SIGKILL) == 0;
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
    // The killed helper was reaped: nothing of it is left, not even an exit status.
    EXPECT_EQ(childProcesses(), std::vector<pid_t>{});
    // A new helper reads the next file: no late answer of the last one takes its place.
    EXPECT_EQ(probing.probe(movie).timecodeFrameRate, TimecodeFrameRate::fps29_97d);
    EXPECT_FALSE(probing.gaveUp());
    // A stop ends the wait at once.
    EXPECT_EQ(
        probing.makeThumbnail({slow, 0, 1, 32, media.folder() / "slow.jpg"}, [] { return true; }),
        std::nullopt);
    EXPECT_EQ(probing.givenUp(), MediaProbeProcess::GiveUp::stopped);
    EXPECT_EQ(probing.makeThumbnail({movie, 0, 1, 32, media.folder() / "movie.jpg"}), 24);
    EXPECT_EQ(probing.readTags(song, nullptr).title, "Anthem");
}

// A helper killed from outside while it works is not the file's fault: the file is tried once
// more in a fresh helper, for a rate, tags or pictures alike, also amid a batch of pictures.
TEST(ProbeProcess, AHelperKilledOnceIsReplaced) {
    const GeneratedMedia media;
    const fs::path movie = media.movie("2997d.mov", "30000/1001", "01:00:00;00", 2.0);
    const fs::path song = media.id3Song("song.mp3", {{"TIT2", "Anthem"}});

    // Killed on both tries (each helper fresh, so before it can answer), the file is written
    // off, and what its helper wrote of the picture is not left in the folder.
    const fs::path partial = media.folder() / "partial.jpg";
    std::ofstream(partial) << "half a picture";
    {
        MediaProbeProcess crashing;
        EXPECT_EQ(crashing.makeThumbnail({movie, 0, 1, 32, partial},
                                         [] {
                                             killAHelper();
                                             return false;
                                         }),
                  std::nullopt);
        EXPECT_EQ(crashing.givenUp(), MediaProbeProcess::GiveUp::crashed);
        EXPECT_FALSE(fs::exists(partial));
    }

    // Each request's wait asks its stop callback first, before the helper can have answered.
    bool killed = false;
    auto killOnce = [&killed] {
        killed = killed || killAHelper();
        return false;
    };
    MediaProbeProcess probing;
    EXPECT_EQ(probing.probe(movie, killOnce).timecodeFrameRate, TimecodeFrameRate::fps29_97d);
    EXPECT_TRUE(killed);
    killed = false;
    EXPECT_EQ(probing.readTags(song, nullptr, killOnce).title, "Anthem");
    EXPECT_TRUE(killed);
    killed = false;
    EXPECT_EQ(probing.makeThumbnail({movie, 0, 1, 32, media.folder() / "one.jpg"}, killOnce), 24);
    EXPECT_TRUE(killed);

    std::vector<ThumbnailJob> jobs;
    for (int frame = 0; frame < 48; ++frame) {
        jobs.push_back(
            {movie, frame * 1001, 30000, 32, media.folder() / (std::to_string(frame) + ".jpg")});
    }
    std::atomic<int> asked{0};
    std::atomic<bool> killedInBatch{false};
    const std::vector<std::optional<int>> heights =
        makeThumbnailFiles(jobs, {.workers = 2, .stopRequested = [&] {
                                      if (++asked == 12) {
                                          killedInBatch = killAHelper();
                                      }
                                      return false;
                                  }});
    EXPECT_TRUE(killedInBatch);
    EXPECT_EQ(heights, std::vector<std::optional<int>>(jobs.size(), 24));
}

// A file given up on by one worker is skipped by the others, under each of its names: three
// pictures of one slow file on two workers cost one time limit, not two or three.
TEST(ProbeProcess, AThumbnailBatchSharesAFileGivenUpOn) {
    const GeneratedMedia media;
    const fs::path slow = media.commentedFlac("slow.flac", 200'000);
    fs::create_hard_link(slow, media.folder() / "link1.flac");
    fs::create_hard_link(slow, media.folder() / "link2.flac");
    std::vector<ThumbnailJob> jobs;
    for (const char* name : {"link1.flac", "link2.flac", "slow.flac"}) {
        jobs.push_back(
            {media.folder() / name, 0, 1, 32, media.folder() / (name + std::string(".jpg"))});
    }
    const milliseconds limit(2'000);
    const auto start = Clock::now();
    const std::vector<std::optional<int>> heights =
        makeThumbnailFiles(jobs, {.workers = 2, .timeout = limit});
    EXPECT_LT(Clock::now() - start, limit * 8 / 5);
    EXPECT_EQ(heights, std::vector<std::optional<int>>(3));
}

// An OTIO timeline naming a FLAC file of 200,000 comments, under twelve names, as clips'
// media: the import gives up on that file once, for all its names, probes the other file
// beside it, keeps the window turning meanwhile, and ends the wait at once on a stop request.
TEST(ProbeProcess, AnOTIOTimelineWithAFileThatTakesTooLong) {
    const GeneratedMedia media;
    const fs::path hostile = media.commentedFlac("hostile.flac", 200'000);
    const fs::path movie = media.movie("2997d.mov", "30000/1001", "01:00:00;00");
    json clips = json::array();
    clips.push_back(clip("Hostile", "file://" + hostile.string(), 0, 30, 29.97));
    for (int i = 1; i < 12; ++i) {
        const fs::path link = media.folder() / ("link" + std::to_string(i) + ".flac");
        fs::create_hard_link(hostile, link);
        clips.push_back(clip("Link", "file://" + link.string(), 0, 30, 29.97));
    }
    clips.push_back(clip("Movie", "file://" + movie.string(), 0, 30, 29.97));
    const fs::path file = media.folder() / "cut.otio";
    std::ofstream(file) << timeline({track("Video", clips)}, 29.97).dump();

    const milliseconds limit(2'000);
    const AppServices services = defaultAppServices(nullptr, {.workers = 4, .timeout = limit});
    ASSERT_TRUE(services.processOTIO);
    ModelContext store;
    WaitingHost host;
    const auto start = Clock::now();
    services.processOTIO(store, file, false, 100.0, 2000.0, host);
    EXPECT_LT(Clock::now() - start, limit * 8 / 5);
    EXPECT_TRUE(host.alerts.empty());
    // One line per file, in the order of the assets.
    std::vector<std::string> expected{hostile.string() + ": \"" + hostile.string() +
                                      "\" took longer than 2 s to read and was given up"};
    for (int i = 1; i < 12; ++i) {
        const std::string link = (media.folder() / ("link" + std::to_string(i) + ".flac")).string();
        expected.push_back(link + ": \"" + link +
                           "\" took longer than 2 s to read and was given up");
    }
    expected.push_back(movie.string() + ": detected 29.97d");
    std::vector<std::string> probed;
    for (const std::string& line : host.diagnostics) {
        if (line.starts_with(media.folder().string())) {
            probed.push_back(line);
        }
    }
    EXPECT_EQ(probed, expected);
    expectKeptTurning(host.turns, 10);

    std::map<std::string, const Asset*> assets;
    for (const Asset* asset : store.fetchAll<Asset>()) {
        assets[asset->name] = asset;
    }
    ASSERT_EQ(assets.size(), 13u);
    EXPECT_EQ(assets["2997d.mov"]->timecodeFrameRate, "29.97d");
    // Given up on, so nothing is known of its tracks: on line, with no rate of its own, and
    // of its track's kind rather than a still picture.
    for (const char* name : {"hostile.flac", "link11.flac"}) {
        EXPECT_TRUE(assets[name]->online);
        EXPECT_EQ(assets[name]->timecodeFrameRate, "29.97");
        EXPECT_EQ(assets[name]->category, Asset::Category::Video);
    }

    // Quitting a quarter of a second into the import ends its wait, whatever the time limit;
    // with one worker too, whose only file is awaited with the window turning.
    const AppServices patient = defaultAppServices(nullptr, {.workers = 1});
    ModelContext stoppedStore;
    WaitingHost quitting(milliseconds(250));
    const auto stopStart = Clock::now();
    patient.processOTIO(stoppedStore, file, false, 100.0, 2000.0, quitting);
    EXPECT_LT(Clock::now() - stopStart, std::chrono::seconds(2));
    EXPECT_TRUE(contains(quitting.diagnostics, "link11.flac\" was not read: the work was stopped"))
        << ::testing::PrintToString(quitting.diagnostics);
    EXPECT_EQ(stoppedStore.count<Asset>(), 13u);
}

// A file whose reading needs more memory than a helper may take (tags of a great many items)
// ends its helper rather than taking the machine's memory: it is given up on as too big to
// read, after one more try when its helper had read another file first, and the report's
// warning names it so; the next file is read as usual.
TEST(ProbeProcess, AFileTooBigToRead) {
    const GeneratedMedia media;
    const fs::path crowded = media.crowdedSong("crowded.mp3", 400'000);
    const fs::path song = media.id3Song("song.mp3", {{"TIT2", "Anthem"}});
    ModelContext store;
    auto clipOf = [&store](const fs::path& file) {
        Asset* asset = store.create<Asset>();
        asset->category = Asset::Category::Audio;
        asset->online = true;
        asset->url = "file://" + file.string();
        StoryElement* clip = store.create<StoryElement>();
        clip->asset = asset;
        return clip;
    };
    // Far more than a helper holds for an ordinary file, under a sanitizer too; a fraction of
    // what the crowded tag needs.
    const std::int64_t cap = std::int64_t{192} * 1024 * 1024;
    // A time limit no loaded machine reaches first: the memory must end the reading.
    const milliseconds patient(60'000);
    ClipMediaProbe probe(nullptr, {.timeout = patient, .helperMemoryBytes = cap});
    StoryElement* songClip = clipOf(song);
    StoryElement* crowdedClip = clipOf(crowded);
    probe.readAudioMetadataOf({songClip, crowdedClip}, nullptr);
    EXPECT_EQ(probe.readAudioMetadata(*songClip)->ID3title, "Anthem");
    EXPECT_EQ(probe.readAudioMetadata(*crowdedClip)->ID3title, "");
    EXPECT_EQ(probe.givenUpWarning(), "1 media file was given up on, so its clips show "
                                      "\u201cProblem\u201d or no tags: \u201c" +
                                          crowded.string() + "\u201d (too big to read)");

    MediaProbeProcess probing(patient, std::nullopt, cap);
    EXPECT_EQ(probing.readTags(crowded, nullptr).title, "");
    EXPECT_EQ(probing.givenUp(), MediaProbeProcess::GiveUp::tooBig);
    EXPECT_EQ(probing.readTags(song, nullptr).title, "Anthem");
}

// Time this whole program spends stopped (Ctrl-Z) does not count against a file, and an
// answer that came while the wait was held up past the limit is taken.
TEST(ProbeProcess, AStoppedProgramLosesNoFile) {
    const GeneratedMedia media;
    const fs::path movie = media.movie("2997d.mov", "30000/1001", "01:00:00;00");
    // Long enough for the movie's answer on a loaded machine, shorter than the stop below.
    const milliseconds limit(4'000);
    {
        MediaProbeProcess probing(limit);
        bool held = false;
        const MediaFileProbe probe = probing.probe(movie, [&held, limit] {
            if (!std::exchange(held, true)) {
                std::this_thread::sleep_for(limit * 5 / 4);
            }
            return false;
        });
        EXPECT_EQ(probe.timecodeFrameRate, TimecodeFrameRate::fps29_97d) << probe.problem;
    }

    // The helper is stopped before it can answer, then this process, for longer than the
    // limit, by a process of their own that lets both go on together.
    MediaProbeProcess probing(limit);
    pid_t stopper = -1;
    const MediaFileProbe probe = probing.probe(movie, [&stopper] {
        if (stopper < 0) {
            const std::vector<pid_t> helpers = childProcesses();
            EXPECT_EQ(helpers.size(), 1u);
            ::kill(helpers.front(), SIGSTOP);
            const std::string script = fmt::format("kill -STOP {0}; sleep 6; kill -CONT {0} {1}",
                                                   ::getpid(), helpers.front());
            const char* arguments[] = {"sh", "-c", script.c_str(), nullptr};
            EXPECT_EQ(::posix_spawn(&stopper, "/bin/sh", nullptr, nullptr,
                                    const_cast<char**>(arguments), environ),
                      0);
        }
        return false;
    });
    EXPECT_EQ(probe.timecodeFrameRate, TimecodeFrameRate::fps29_97d) << probe.problem;
    int status = 0;
    EXPECT_EQ(::waitpid(stopper, &status, 0), stopper);
    EXPECT_EQ(status, 0);
}

// The report's probe with helpers that never answer: files given up on by the import, the
// thumbnails or the tags are waited on once, under all their names (hard or symbolic links),
// read side by side, and named in the closing warning each once, the import's first, then in
// row order, with their control characters escaped. A file the helper crashes on is written off
// too, after two helpers.
TEST(ProbeProcess, TheReportsFilesGivenUpOn) {
    const GeneratedMedia media;
    const fs::path imported = media.text("imp\x1bort.flac", "sound");
    const fs::path video = media.text("v\tideo.mov", "picture");
    const fs::path audio = media.text("a\nudio.flac", "sound");
    const fs::path other = media.text("other.flac", "sound");
    const fs::path link = media.folder() / "link.flac";
    fs::create_symlink(audio, link);
    const fs::path silent = media.text("silent-helper", "#!/bin/sh\nexec sleep 60\n");
    fs::permissions(silent, fs::perms::owner_all);

    // Rows 1 to 5; then a clip of the movie's sound, and a later picture of the movie.
    const std::pair<fs::path, Asset::Category> files[] = {
        {video, Asset::Category::AV},       {audio, Asset::Category::Audio},
        {link, Asset::Category::Audio},     {other, Asset::Category::Audio},
        {imported, Asset::Category::Audio}, {video, Asset::Category::Audio},
        {video, Asset::Category::AV}};
    std::vector<Asset> assets(std::size(files));
    std::vector<StoryElement> elements(assets.size());
    std::vector<StoryElement*> rows;
    for (std::size_t i = 0; i < assets.size(); ++i) {
        assets[i].url = files[i].first.string();
        assets[i].category = files[i].second;
        assets[i].online = true;
        elements[i].asset = &assets[i];
        elements[i].timecodeFrameRate = "25";
        elements[i].srcInpoint = i == 6 ? 25 : 0;
        if (i < 5) {
            rows.push_back(&elements[i]);
        }
    }

    const milliseconds limit(2'000);
    ClipMediaProbe probe(nullptr, {.workers = 2, .timeout = limit, .helper = silent}, {},
                         {{imported, MediaProbeProcess::GiveUp::late}});
    // Two files to wait on, one per worker: the import's file and the link are not read.
    auto start = Clock::now();
    probe.readAudioMetadataOf(rows, nullptr);
    EXPECT_LT(Clock::now() - start, limit * 8 / 5);
    const auto pictures = probe.makeThumbnails({{1, 32, rows[0]}}, media.folder(), nullptr);
    EXPECT_EQ(pictures.at(0)->text, "Problem");
    start = Clock::now();
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(probe.readAudioMetadata(elements[i])->ID3title, "");
    }
    EXPECT_LT(Clock::now() - start, limit / 2);
    const std::string late = "\u201d (took longer than 2 s to read), \u201c";
    EXPECT_EQ(probe.givenUpWarning(),
              "4 media files were given up on, so their clips show \u201cProblem\u201d or no "
              "tags: \u201c" +
                  (media.folder() / "imp\\x1bort.flac").string() + late +
                  (media.folder() / "v\\tideo.mov").string() + late +
                  (media.folder() / "a\\nudio.flac").string() +
                  "\u201d (took longer than 2 s to read), and 1 more");

    // A helper that dies at once, counting its starts: the file is tried in two, then written
    // off, so its second picture starts none.
    const fs::path starts = media.folder() / "starts";
    const fs::path crashing =
        media.text("crashing-helper", "#!/bin/sh\necho >>'" + starts.string() + "'\nexit 1\n");
    fs::permissions(crashing, fs::perms::owner_all);
    ClipMediaProbe crashed(nullptr, {.workers = 1, .helper = crashing});
    const auto problems =
        crashed.makeThumbnails({{1, 32, rows[0]}, {2, 32, &elements[6]}}, media.folder(), nullptr);
    EXPECT_EQ(problems.at(1)->text, "Problem");
    std::ifstream started(starts);
    EXPECT_EQ(std::count(std::istreambuf_iterator<char>(started), {}, '\n'), 2);
    EXPECT_EQ(crashed.givenUpWarning(),
              "1 media file was given up on, so its clips show \u201cProblem\u201d or no tags: "
              "\u201c" +
                  (media.folder() / "v\\tideo.mov").string() +
                  "\u201d (the media helper crashed on it twice)");
}

// Without the helper, media is read in this process with no time limit, and the user is told
// so once in the services' life.
TEST(ProbeProcess, WithoutTheHelper) {
    const GeneratedMedia media;
    const fs::path movie = media.movie("2997d.mov", "30000/1001", "01:00:00;00");
    const fs::path file = media.folder() / "cut.otio";
    std::ofstream(file) << timeline({track("Video", {clip("Movie", "file://" + movie.string(), 0,
                                                          30, 29.97)})},
                                    29.97)
                               .dump();
    const AppServices services =
        defaultAppServices(nullptr, {.helper = media.folder() / "marrowvale-media-probe"});
    RecordingHost host;
    for (int import = 0; import < 2; ++import) {
        ModelContext store;
        services.processOTIO(store, file, false, 100.0, 2000.0, host);
        EXPECT_EQ(store.fetchAll<Asset>().at(0)->timecodeFrameRate, "29.97d");
    }
    EXPECT_EQ(host.warnings, std::vector<std::string>{
                                 "The media helper marrowvale-media-probe was not found: media "
                                 "files are read without a time limit."});
}

} // namespace
} // namespace marrowvale::testing
