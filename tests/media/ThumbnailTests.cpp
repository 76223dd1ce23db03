#include "GeneratedMedia.h"
#include "app/StopRequest.h"
#include "media/ThumbnailBatch.h"
#include "model/Asset.h"
#include "model/ModelContext.h"
#include "model/StoryElement.h"
#include "services/ClipMediaProbe.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <turbojpeg.h>
#include <vector>
#include <zlib.h>

namespace marrowvale::testing {
namespace {

namespace fs = std::filesystem;

/// A JPEG file as the tests look at it.
struct Picture {
    int width = 0;
    int height = 0;
    int densityUnit = -1;
    int density = 0;
    std::array<double, 3> mean{};
};

std::optional<Picture> readPicture(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    if (bytes.size() < 18) {
        return std::nullopt;
    }
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    Picture picture;
    picture.densityUnit = data[13];
    picture.density = data[14] * 256 + data[15];
    tjhandle handle = tjInitDecompress();
    int subsampling = 0;
    int colourspace = 0;
    std::vector<unsigned char> rgb;
    bool read = tjDecompressHeader3(handle, data, bytes.size(), &picture.width, &picture.height,
                                    &subsampling, &colourspace) == 0;
    if (read) {
        rgb.resize(static_cast<std::size_t>(picture.width * picture.height * 3));
        read = tjDecompress2(handle, data, bytes.size(), rgb.data(), picture.width, 0,
                             picture.height, TJPF_RGB, 0) == 0;
    }
    tjDestroy(handle);
    if (!read) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        picture.mean[i % 3] += rgb[i];
    }
    for (double& channel : picture.mean) {
        channel /= picture.width * picture.height;
    }
    return picture;
}

/// A PNG file that declares a picture of `width` x `height` 16-bit RGBA pixels but holds the
/// data of four rows only: a few hundred bytes standing for gigabytes.
fs::path writeHugePicture(const fs::path& path, std::uint32_t width, std::uint32_t height) {
    auto bigEndian = [](std::string& out, std::uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            out += static_cast<char>((value >> shift) & 0xFF);
        }
    };
    auto chunk = [&](std::string& out, const std::string& type, const std::string& data) {
        bigEndian(out, static_cast<std::uint32_t>(data.size()));
        const std::string typed = type + data;
        out += typed;
        bigEndian(out, static_cast<std::uint32_t>(
                           crc32(0, reinterpret_cast<const Bytef*>(typed.data()), typed.size())));
    };
    std::string header;
    bigEndian(header, width);
    bigEndian(header, height);
    header += std::string{16, 6, 0, 0, 0}; // 16 bits, RGBA, deflate, no filter, no interlace
    const std::string rows(4 * (1 + std::size_t{width} * 8), '\0');
    std::string compressed(compressBound(rows.size()), '\0');
    uLongf size = compressed.size();
    compress2(reinterpret_cast<Bytef*>(compressed.data()), &size,
              reinterpret_cast<const Bytef*>(rows.data()), rows.size(), 9);
    compressed.resize(size);
    std::string png = "\x89PNG\r\n\x1a\n";
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", compressed);
    chunk(png, "IEND", "");
    std::ofstream(path, std::ios::binary) << png;
    return path;
}

/// The frame of GeneratedMedia::colourMovie whose colour is nearest to a picture's mean.
int nearestFrame(const Picture& picture) {
    int best = -1;
    double bestDistance = 1e9;
    for (int n = 0; n < 25; ++n) {
        const std::array<int, 3> colour = GeneratedMedia::frameColour(n);
        double distance = 0;
        for (int c = 0; c < 3; ++c) {
            distance += (picture.mean[c] - colour[c]) * (picture.mean[c] - colour[c]);
        }
        if (distance < bestDistance) {
            best = n;
            bestDistance = distance;
        }
    }
    return best;
}

class Thumbnails : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        media_ = new GeneratedMedia;
        colours_ = media_->colourMovie("colours.mp4");
        anamorphic_ = media_->make("anamorphic.mp4", "-f lavfi -i testsrc=size=64x48:rate=25 "
                                                     "-t 0.2 -vf setsar=4/3 -c:v libx264");
        still_ = media_->make("still.png", "-f lavfi -i color=c=red:size=400x300 -frames:v 1");
        fs::copy_file(still_, media_->folder() / "shot%03d.png");
        // Just over the picture limit: small to store and quick to decode, but refused.
        large_ = media_->make("large.png", "-f lavfi -i color=c=black:size=8200x8200 "
                                           "-frames:v 1 -pix_fmt gray");
        huge_ = writeHugePicture(media_->folder() / "huge.png", 16000, 16000);
        truncated_ = media_->folder() / "truncated.mp4";
        std::ifstream whole(colours_, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(whole), {}};
        std::ofstream(truncated_, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    }
    static void TearDownTestSuite() { delete media_; }

    static inline GeneratedMedia* media_ = nullptr;
    static inline fs::path colours_, anamorphic_, still_, large_, huge_, truncated_;
};

// Each picture is the frame shown at its time, also between key frames and on B-frames,
// whatever order the times are asked in and however many workers share them.
TEST_F(Thumbnails, TheFrameAtEachTime) {
    const int frames[] = {13, 0, 7, 10, 24, 7, 3, 19};
    for (unsigned workers : {1u, 3u}) {
        std::vector<ThumbnailJob> jobs;
        for (int frame : frames) {
            jobs.push_back({colours_, frame, 25, 32,
                            media_->folder() / (std::to_string(jobs.size()) + ".jpg")});
        }
        jobs.push_back({colours_, 26, 25, 32, media_->folder() / "after-the-end.jpg"});
        const std::vector<std::optional<int>> heights =
            makeThumbnailFiles(jobs, {.workers = workers});
        for (std::size_t i = 0; i < std::size(frames); ++i) {
            ASSERT_EQ(heights[i], 24) << frames[i];
            const std::optional<Picture> picture = readPicture(jobs[i].output);
            ASSERT_TRUE(picture);
            EXPECT_EQ(nearestFrame(*picture), frames[i]) << "workers " << workers;
        }
        EXPECT_EQ(heights.back(), std::nullopt);
        EXPECT_FALSE(fs::exists(jobs.back().output));
    }
}

// Pictures keep their displayed shape; files that give no picture give no answer, among them
// pictures larger than the limit (refused before they are decoded) and a pipe that stands
// where a movie stood when the report checked it.
TEST_F(Thumbnails, ShapesAndUnreadableFiles) {
    const fs::path pipe = media_->folder() / "swapped.mov";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    struct Case {
        fs::path source;
        int width;
        std::optional<int> height;
    };
    const Case cases[] = {
        {anamorphic_, 160, 90}, // 64x48 pixels of 4:3 show as 85.3x48
        {still_, 160, 120},
        {media_->folder() / "shot%03d.png", 40, 30}, // a name, not a numbered sequence
        {truncated_, 160, std::nullopt},
        {large_, 160, std::nullopt},
        {huge_, 160, std::nullopt},
        {pipe, 160, std::nullopt},
        {media_->folder() / "missing.mov", 160, std::nullopt},
        {media_->text("notes.mov", "not a movie"), 160, std::nullopt},
    };
    std::vector<ThumbnailJob> jobs;
    for (const Case& c : cases) {
        jobs.push_back({c.source, 0, 1, c.width,
                        media_->folder() / ("shape-" + std::to_string(jobs.size()) + ".jpg")});
    }
    const std::vector<std::optional<int>> heights = makeThumbnailFiles(jobs, {.workers = 2});
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(heights[i], cases[i].height) << cases[i].source;
        const std::optional<Picture> picture = readPicture(jobs[i].output);
        EXPECT_EQ(picture.has_value(), cases[i].height.has_value()) << cases[i].source;
        if (picture) {
            EXPECT_EQ(picture->width, cases[i].width);
            EXPECT_EQ(picture->height, *cases[i].height);
            // 96 dots per inch: one picture pixel per screen pixel in the spreadsheet.
            EXPECT_EQ(picture->densityUnit, 1);
            EXPECT_EQ(picture->density, 96);
        }
    }
}

// The clip probe's answers: nothing, "Offline", "Problem" or a picture named after the row.
TEST_F(Thumbnails, ClipProbeAnswers) {
    ModelContext store;
    auto asset = [&](Asset::Category category, const std::optional<fs::path>& file,
                     bool online = true) {
        Asset* made = store.create<Asset>();
        made->category = category;
        made->online = online;
        if (file) {
            made->url = "file://" + file->string();
        }
        return made;
    };
    Asset* movie = asset(Asset::Category::AV, colours_);
    Asset* picture = asset(Asset::Category::Image, still_);
    Asset* song = asset(Asset::Category::Audio, colours_);
    Asset* offline = asset(Asset::Category::Video, colours_, false);
    Asset* remote = asset(Asset::Category::Video, std::nullopt);
    remote->url = "http://example.com/colours.mp4";
    const fs::path pipe = media_->folder() / "pipe.mov";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    Asset* fifo = asset(Asset::Category::Video, pipe);

    struct Case {
        const char* name;
        Asset* asset;
        std::string rate;
        std::optional<double> in;
        std::optional<ThumbnailResult> answer; // text "" for the expected picture path
        int frame = -1;
    };
    const std::string longName(300, 'x');
    const ThumbnailResult picturePath{"", 24};
    const std::vector<Case> cases = {
        {"no asset", nullptr, "25", 90000, std::nullopt},
        {"song", song, "25", 90000, std::nullopt},
        {"offline", offline, "25", 90000, ThumbnailResult{"Offline", -1}},
        {"remote", remote, "25", 90000, ThumbnailResult{"Problem", -1}},
        {"pipe", fifo, "25", 90000, ThumbnailResult{"Problem", -1}},
        {"bad rate", movie, "25.0", 90000, ThumbnailResult{"Problem", -1}},
        {"no in point", movie, "25", std::nullopt, ThumbnailResult{"Problem", -1}},
        {"still without in point", picture, "25", std::nullopt, ThumbnailResult{"Problem", -1}},
        {"still", picture, "25", 0, ThumbnailResult{"", 120}},
        {"first frame", movie, "25", 90000, picturePath, 0},
        {"../../Interview/A", movie, "25", 90007, picturePath, 7},
        {longName.c_str(), movie, "25", 90019, picturePath, 19},
    };
    std::vector<StoryElement*> clips;
    std::vector<ThumbnailRequest> requests;
    for (const Case& c : cases) {
        StoryElement* clip = store.create<StoryElement>();
        clip->name = c.name;
        clip->asset = c.asset;
        clip->timecodeFrameRate = c.rate;
        clip->srcInpoint = c.in;
        clip->firstFrame = 90000; // 01:00:00:00 at 25 fps
        requests.push_back(
            {static_cast<int>(requests.size()), c.asset == picture ? 160 : 32, clip});
    }
    const fs::path folder = media_->folder() / "Thumbnails";
    fs::create_directory(folder);
    std::ostringstream diagnostics;
    ClipMediaProbe probe(&diagnostics, {.workers = 2});
    const auto answers = probe.makeThumbnails(requests, folder, nullptr);
    ASSERT_EQ(answers.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        ASSERT_EQ(answers[i].has_value(), c.answer.has_value()) << c.name;
        if (!c.answer) {
            continue;
        }
        EXPECT_EQ(answers[i]->pixels, c.answer->pixels) << c.name;
        if (c.answer->pixels < 0) {
            EXPECT_EQ(answers[i]->text, c.answer->text) << c.name;
            continue;
        }
        const fs::path written = answers[i]->text;
        EXPECT_EQ(written.parent_path(), folder) << c.name;
        EXPECT_LE(written.filename().string().size(), 255u);
        EXPECT_NE(diagnostics.str().find("Writing thumbnail to " + written.string()),
                  std::string::npos);
        if (c.frame >= 0) {
            const std::optional<Picture> shown = readPicture(written);
            ASSERT_TRUE(shown) << c.name;
            EXPECT_EQ(nearestFrame(*shown), c.frame) << c.name;
        }
    }
    EXPECT_EQ(fs::path(answers[8]->text).filename(), "009 still.jpg");
    EXPECT_EQ(fs::path(answers[10]->text).filename(), "011 .._.._Interview_A.jpg");
    // Only the pictures were written, all inside the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 4);

    // A raised stop request makes nothing more.
    StopRequest stop;
    stop.request(StopRequest::quitting);
    fs::remove_all(folder);
    fs::create_directory(folder);
    const auto stopped = probe.makeThumbnails(requests, folder, &stop);
    EXPECT_EQ(stopped[9], std::nullopt);
    EXPECT_TRUE(fs::is_empty(folder));
}

} // namespace
} // namespace marrowvale::testing
