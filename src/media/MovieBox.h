#pragma once

#include "media/TimecodeFormatDescription.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace marrowvale {

/// The "moov" box of a QuickTime movie this folder has just written, read into memory,
/// edited and written back. The mov muxer cannot set some fields of a timecode track (its
/// flags, a duration other than that of the track it was made for, a reference from more than
/// one video track); this sets them once the muxer is done. Only a movie whose "moov" box
/// ends the file is edited, so no sample data moves.
class MovieBox {
public:
    /// Reads the movie's "moov" box. Throws MediaWriteError when the file does not end with
    /// one that can be read.
    static MovieBox read(const std::filesystem::path& path);

    /// Stores the counting fields (flags, timescale, frame duration, frames per second) of the
    /// timecode track with this id. Throws MediaWriteError when it has no timecode description.
    void setTimecodeDescription(std::uint32_t trackID,
                                const TimecodeFormatDescription& description);
    /// Stores only the flags of the timecode track with this id (a copied track whose flags the
    /// muxer dropped). Throws MediaWriteError when it has no timecode description.
    void setTimecodeFlags(std::uint32_t trackID, std::uint32_t flags);
    /// Makes the single-sample track with this id last `duration` units of its media timescale:
    /// its sample, media, track and edit durations, and the movie's when that grows or shrinks.
    /// Throws MediaWriteError.
    void setSingleSampleDuration(std::uint32_t trackID, std::uint64_t duration);
    /// Makes every video track name the track with this id as its timecode, and no other track
    /// name any timecode.
    void setTimecodeReferences(std::uint32_t timecodeTrackID);

    /// Writes the edited box over the old one, to the end of the file. Throws MediaWriteError.
    void write() const;

private:
    struct Box {
        std::uint32_t type = 0;
        std::vector<std::uint8_t> payload;
        std::vector<Box> children;
        bool container = false;
    };

    static Box parse(std::uint32_t type, std::span<const std::uint8_t> payload, int depth);
    static void serialize(const Box& box, std::vector<std::uint8_t>& out);
    Box& track(std::uint32_t trackID);
    void updateMovieDuration();

    std::filesystem::path path_;
    std::uint64_t offset_ = 0;
    Box movie_;
};

} // namespace marrowvale
