#include "ReportFixtures.h"

#include "model/Asset.h"
#include "model/AudioTrack.h"
#include "model/Composition.h"
#include "model/StoryElement.h"
#include "model/VideoTrack.h"

#include <fstream>

namespace marrowvale::testing {

namespace fs = std::filesystem;

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{bytes, previous_.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
}

Asset* DemoTimeline::makeAsset(const std::string& path, int category,
                               const std::string& audioRate) {
    Asset* asset = store.create<Asset>();
    asset->url = "file://" + path;
    asset->category = static_cast<Asset::Category>(category);
    asset->frameSize = "1920 X 1080";
    asset->audioRate = audioRate;
    return asset;
}

DemoTimeline::DemoTimeline() {
    using Category = StoryElement::Category;
    sequence = store.create<Composition>();
    sequence->name = "Reel 1";
    sequence->timecodeFrameRate = "25";

    auto* v1 = store.create<VideoTrack>(1, "V1", true);
    auto* v2 = store.create<VideoTrack>(2, "V2", true);
    auto* a1 = store.create<AudioTrack>(1, "A1", true);
    auto* a2 = store.create<AudioTrack>(2, "A2", true);
    sequence->videoTracks = {v1, v2};
    sequence->audioTracks = {a1, a2};

    Asset* movie =
        makeAsset("/media/Day 1/A001_C003.mov", static_cast<int>(Asset::Category::AV), "48000");
    Asset* song =
        makeAsset("/media/music/Song.wav", static_cast<int>(Asset::Category::Audio), "48000");

    clip = store.create<StoryElement>(Category::assetclip, 1, TrackType::Video, "25", "V1");
    clip->name = "A001_C003";
    clip->asset = movie;
    clip->clipTimelinePosition = 0;
    clip->clipDuration = 250;
    clip->srcInpoint = 90000;
    clip->srcDuration = 250;
    clip->videoRole = "Video";
    clip->scene = "12";
    clip->shottake = "3";
    clip->descriptn = "Wide";
    v1->elements.push_back(clip);

    title = store.create<StoryElement>(Category::title, 2, TrackType::Video, "25", "V2");
    title->name = "Opening Title";
    title->clipTimelinePosition = 100;
    title->clipDuration = 50;
    title->params = {{"font", "Futura"}, {"text", "MARROWVALE"}};
    v2->elements.push_back(title);

    clipSound = store.create<StoryElement>(Category::assetclip, 3, TrackType::Audio, "25", "A1");
    clipSound->name = "A001_C003";
    clipSound->asset = movie;
    clipSound->clipDuration = 250;
    clipSound->srcInpoint = 90000;
    clipSound->srcDuration = 250;
    clipSound->audioRole = "Dialogue";
    clipSound->audioSubroles = {"Boom", "Lav"};
    a1->elements.push_back(clipSound);

    music = store.create<StoryElement>(Category::assetclip, 4, TrackType::Audio, "25", "A2");
    music->name = "Song";
    music->asset = song;
    music->clipDuration = 500;
    music->srcInpoint = 0;
    music->srcDuration = 500;
    music->audioRole = "Music";
    a2->elements.push_back(music);
}

std::vector<std::optional<ThumbnailResult>>
FakeMediaProbe::makeThumbnails(const std::vector<ThumbnailRequest>& requests,
                               const fs::path& folder, const StopRequest* stop) {
    std::vector<std::optional<ThumbnailResult>> answers(requests.size());
    lastFolder = folder;
    for (std::size_t i = 0; i < requests.size() && !(stop && stop->isRequested()); ++i) {
        const StoryElement& clip = *requests[i].clip;
        thumbnailRequests.push_back(clip.name);
        if (whenAsked) {
            whenAsked(clip);
        }
        auto found = thumbnails.find(clip.name);
        if (found == thumbnails.end()) {
            continue;
        }
        ThumbnailResult result = found->second;
        if (writePictures && result.pixels >= 0) {
            fs::path picture = folder / result.text;
            writeTinyJpeg(picture);
            result.text = picture.string();
        }
        answers[i] = result;
    }
    return answers;
}

std::optional<ID3Fields> FakeMediaProbe::readAudioMetadata(const StoryElement& clip) {
    tagRequests.push_back(clip.name);
    auto found = tags.find(clip.name);
    if (found == tags.end()) {
        return std::nullopt;
    }
    return found->second;
}

void writeTinyJpeg(const fs::path& path) {
    static const unsigned char bytes[] = {
        0xFF, 0xD8,                                                       // start of image
        0xFF, 0xE0, 0x00, 0x10, 'J',  'F',  'I',  'F',  0x00, 0x01, 0x01, // JFIF header
        0x01, 0x00, 0x48, 0x00, 0x48, 0x00, 0x00,                         // 72 dpi
        0xFF, 0xC0, 0x00, 0x11, 0x08, 0x00, 0x10, 0x00, 0x20, 0x03,       // 32 x 16, 3 planes
        0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01,             //
        0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00,       // start of scan
        0xFF, 0xD9};                                                      // end of image
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

ReportOptions optionsWith(std::map<std::string, bool, std::less<>> flags,
                          std::int64_t thumbnailWidth) {
    ReportOptions options;
    options.flags = std::move(flags);
    options.thumbnailWidth = thumbnailWidth;
    return options;
}

} // namespace marrowvale::testing
