#include "media/FormatContext.h"

#include "media/Dictionary.h"
#include "media/MediaError.h"
#include "media/MediaFileIOContext.h"
#include "media/Packet.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace marrowvale {

struct FormatContext::Deadline {
    std::chrono::milliseconds timeout;
    std::chrono::steady_clock::time_point until;
};

namespace {

int interruptWhenLate(void* opaque) {
    const auto* deadline = static_cast<const std::chrono::steady_clock::time_point*>(opaque);
    return std::chrono::steady_clock::now() > *deadline ? 1 : 0;
}

// Demuxers that open further files named inside the one they read (playlists, lists of
// files, composition manifests). A media file is read on its own, so they are left out.
constexpr std::array<std::string_view, 5> kDemuxersReadingOtherFiles = {
    "concat", "hls", "dash", "imf", "webm_dash_manifest"};

// A demuxer may open further files by name (a picture sequence's next picture, a movie's
// external media). Only the file opened through MediaFile is read.
int refuseOtherFiles(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**) {
    return AVERROR(EPERM);
}

/// Every demuxer FFmpeg has, less those above, as FFmpeg's comma-separated list.
std::string demuxersReadingOneFile() {
    std::string names;
    void* iterator = nullptr;
    while (const AVInputFormat* format = av_demuxer_iterate(&iterator)) {
        const std::string_view name = format->name;
        bool excluded = false;
        for (const std::string_view other : kDemuxersReadingOtherFiles) {
            excluded = excluded || name == other;
        }
        if (!excluded) {
            names.append(names.empty() ? "" : ",").append(name);
        }
    }
    return names;
}

} // namespace

FormatContext::FormatContext(AVFormatContext* context, const ProbeLimits& limits,
                             std::unique_ptr<Deadline> deadline,
                             std::unique_ptr<MediaFileIOContext> input)
    : limits_(limits), deadline_(std::move(deadline)), input_(std::move(input)), context_(context) {
}

FormatContext::~FormatContext() {
    avformat_close_input(&context_);
}

FormatContext::FormatContext(FormatContext&& other) noexcept
    : limits_(other.limits_), deadline_(std::move(other.deadline_)),
      input_(std::move(other.input_)), context_(std::exchange(other.context_, nullptr)) {}

FormatContext& FormatContext::operator=(FormatContext&& other) noexcept {
    if (this != &other) {
        avformat_close_input(&context_);
        context_ = std::exchange(other.context_, nullptr);
        limits_ = other.limits_;
        deadline_ = std::move(other.deadline_);
        input_ = std::move(other.input_);
    }
    return *this;
}

FormatContext FormatContext::open(const std::filesystem::path& path, const ProbeLimits& limits) {
    static const std::string demuxers = demuxersReadingOneFile();

    auto input = std::make_unique<MediaFileIOContext>(MediaFile::open(path));
    auto deadline = std::make_unique<Deadline>(
        Deadline{limits.callTimeout, std::chrono::steady_clock::now() + limits.callTimeout});
    input->setDeadline(&deadline->until);
    AVFormatContext* context = avformat_alloc_context();
    if (context == nullptr) {
        throw std::bad_alloc();
    }
    context->interrupt_callback.callback = interruptWhenLate;
    context->interrupt_callback.opaque = &deadline->until;
    context->pb = input->get();
    context->io_open = refuseOtherFiles;

    Dictionary options;
    options.allowLocalFilesOnly();
    options.set("format_whitelist", demuxers);
    options.set("probesize", std::to_string(limits.probeBytes));
    options.set("analyzeduration", std::to_string(limits.analyzeMicroseconds));
    // A picture's name is its name: "shot%03d.png" must not become a numbered sequence of
    // other files.
    options.set("pattern_type", "none");
    // The name only helps recognise the format by its extension; the bytes come through
    // `input`. "file:" and an absolute path: a path that looks like a URL ("http:x",
    // "concat:a|b") is still the local file of that name.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const std::string url = "file:" + (error ? path : absolute).string();
    // avformat_open_input frees the context itself when it fails.
    const int result = avformat_open_input(&context, url.c_str(), nullptr, options.address());
    if (result < 0) {
        throw MediaError::fromCode("Cannot open \"" + path.string() + "\" as media", result);
    }
    return FormatContext(context, limits, std::move(deadline), std::move(input));
}

void FormatContext::restartDeadline() {
    deadline_->until = std::chrono::steady_clock::now() + deadline_->timeout;
}

bool FormatContext::findStreamInfo() {
    restartDeadline();
    // The decoders this opens to learn a stream's details get the same picture limit.
    std::vector<Dictionary> decoderOptions(context_->nb_streams);
    std::vector<AVDictionary*> options;
    for (Dictionary& streamOptions : decoderOptions) {
        streamOptions.set("max_pixels", std::to_string(limits_.maxPicturePixels));
        options.push_back(*streamOptions.address());
    }
    const int result = avformat_find_stream_info(context_, options.data());
    // FFmpeg may have replaced the dictionaries; the owners take back what is there now.
    for (std::size_t i = 0; i < options.size(); ++i) {
        *decoderOptions[i].address() = options[i];
    }
    return result >= 0;
}

unsigned FormatContext::streamCount() const {
    return context_->nb_streams;
}

AVStream* FormatContext::stream(unsigned index) const {
    return context_->streams[index];
}

const char* FormatContext::formatName() const {
    return context_->iformat->name;
}

bool FormatContext::seekBackward(int streamIndex, std::int64_t timestamp) {
    restartDeadline();
    return av_seek_frame(context_, streamIndex, timestamp, AVSEEK_FLAG_BACKWARD) >= 0;
}

bool FormatContext::readPacket(Packet& packet) {
    restartDeadline();
    packet.unref();
    const int result = av_read_frame(context_, packet.get());
    if (result == AVERROR_EOF) {
        return false;
    }
    if (result < 0) {
        throw MediaError::fromCode("Cannot read the media file", result);
    }
    return true;
}

} // namespace marrowvale
