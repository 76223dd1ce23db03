#pragma once

#include "media/ProbeLimits.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>

struct AVFormatContext;
struct AVStream;

namespace marrowvale {

class MediaFileIOContext;
class Packet;

/// A media file opened for reading by FFmpeg's demuxers. Only local files are opened, through
/// MediaFile, and only by demuxers that read the one file (never playlists or lists of other
/// files); a demuxer that asks for another file is refused, so a crafted file cannot make the
/// program read elsewhere. Part of the FFmpeg layer of this folder: nothing outside src/media
/// sees it.
class FormatContext {
public:
    /// Opens the file and reads its header. Throws MediaError when the file is missing,
    /// unreadable, refused by MediaFile or not a media file.
    static FormatContext open(const std::filesystem::path& path, const ProbeLimits& limits = {});

    ~FormatContext();
    FormatContext(FormatContext&& other) noexcept;
    FormatContext& operator=(FormatContext&& other) noexcept;
    FormatContext(const FormatContext&) = delete;
    FormatContext& operator=(const FormatContext&) = delete;

    /// Reads some packets to fill in stream details the header leaves out (field order, frame
    /// rates of some formats), within the probe limits; a picture larger than the limit is not
    /// decoded for its details. False when some stream stayed unknown; what was learnt is kept
    /// either way.
    bool findStreamInfo();

    /// The limits it was opened with.
    const ProbeLimits& limits() const { return limits_; }

    /// The context, for FFmpeg calls.
    AVFormatContext* get() const { return context_; }
    /// Number of streams.
    unsigned streamCount() const;
    /// The stream at an index below streamCount().
    AVStream* stream(unsigned index) const;
    /// The demuxer's short name ("mov,mp4,m4a,3gp,3g2,mj2").
    const char* formatName() const;

    /// Moves the read position to the key frame of a stream at or before `timestamp` (in the
    /// stream's time base). False when the demuxer cannot seek there.
    bool seekBackward(int streamIndex, std::int64_t timestamp);

    /// Reads the next packet of a stream that is not discarded. False at the end of the file;
    /// throws MediaError on a read error or when the call runs out of time.
    bool readPacket(Packet& packet);

private:
    struct Deadline;

    FormatContext(AVFormatContext* context, const ProbeLimits& limits,
                  std::unique_ptr<Deadline> deadline, std::unique_ptr<MediaFileIOContext> input);
    void restartDeadline();

    ProbeLimits limits_;
    std::unique_ptr<Deadline> deadline_;
    std::unique_ptr<MediaFileIOContext> input_;
    // Declared last: it reads through input_ and checks deadline_, so it is closed first.
    AVFormatContext* context_ = nullptr;
};

} // namespace marrowvale
