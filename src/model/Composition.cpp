#include "model/Composition.h"

#include <array>

namespace marrowvale {

namespace {

constexpr std::array<std::string_view, 7> categoryTexts{
    "null",         "Timeline", "TimelineSequence", "NestedSequence",
    "CompoundClip", "Multicam", "SyncClip"};

} // namespace

Composition::Composition(std::string id, std::string name, double firstFrame, double duration,
                         std::string timecodeFrameRate, VideoFormat* videoFormat,
                         std::vector<VideoTrack*> videoTracks, std::string audioChannelLayout,
                         std::int64_t audioSampleRate, std::vector<AudioTrack*> audioTracks,
                         std::vector<MarkedRange*> markers, std::vector<Metadata*> metadata,
                         Category category)
    : id(std::move(id)), name(std::move(name)), firstFrame(firstFrame), duration(duration),
      timecodeFrameRate(std::move(timecodeFrameRate)), videoFormat(videoFormat),
      videoTracks(std::move(videoTracks)), audioChannelLayout(std::move(audioChannelLayout)),
      audioSampleRate(audioSampleRate), audioTracks(std::move(audioTracks)),
      markers(std::move(markers)), metadata(std::move(metadata)), category(category) {}

std::string Composition::debugDescription() const {
    std::string text = "Composition: ";
    text += toString(category);
    text += ", \"" + name + "\", " + std::to_string(videoTracks.size()) + " Video Tracks, " +
            std::to_string(audioTracks.size()) + " Audio Tracks \n";
    return text;
}

std::string_view Composition::toString(Category category) noexcept {
    const auto index = static_cast<std::size_t>(category);
    return index < categoryTexts.size() ? categoryTexts[index] : std::string_view();
}

std::optional<Composition::Category> Composition::fromString(std::string_view text) {
    for (std::size_t i = 0; i < categoryTexts.size(); ++i) {
        if (categoryTexts[i] == text) {
            return static_cast<Category>(i);
        }
    }
    return std::nullopt;
}

std::string_view toString(Composition::Category category) noexcept {
    return Composition::toString(category);
}

template <>
std::optional<Composition::Category> fromString<Composition::Category>(std::string_view text) {
    return Composition::fromString(text);
}

} // namespace marrowvale
