#pragma once

#include "DovovevoZavCore/Timecode.h"
#include "media/MediaTrack.h"
#include "media/TimecodeFormatDescription.h"

#include <filesystem>
#include <optional>

namespace marrowvale {

/// A movie file that can be given a timecode track. Each change rewrites the whole file as a
/// QuickTime movie (every stream copied as it is, nothing re-encoded) beside the original and
/// puts it in the original's place only once it is complete: a failure leaves the original
/// untouched and removes the partial file.
class EditableMovie {
public:
    /// The movie at `path`; nothing is read until a change is asked for.
    explicit EditableMovie(std::filesystem::path path) : path_(std::move(path)) {}

    /// The movie file.
    const std::filesystem::path& path() const { return path_; }

    /// Adds a timecode track counting from `start` at its frame rate, lasting `duration` or,
    /// when absent, the movie's duration measured at the movie's detected timecode rate. Every
    /// video track takes the new track as its timecode; the movie's other timecode tracks
    /// stay. Returns the new track as read back from the rewritten file.
    /// Throws MediaError (the movie cannot be read or written), MediaParseError (no duration
    /// given and no rate detected), TimecodeValidationError (a duration beyond the upper
    /// limit) or MediaWriteError.
    MediaTrack addTimecodeTrack(const dovovevozav::Timecode& start,
                                const std::optional<dovovevozav::Timecode>& duration = std::nullopt,
                                const TimecodeFormatExtensions& extensions = {});

    /// As addTimecodeTrack(), but the movie's timecode tracks are left out, and a missing
    /// duration is measured at the start timecode's own rate.
    MediaTrack
    replaceTimecodeTrack(const dovovevozav::Timecode& start,
                         const std::optional<dovovevozav::Timecode>& duration = std::nullopt,
                         const TimecodeFormatExtensions& extensions = {});

private:
    MediaTrack rewrite(const dovovevozav::Timecode& start, const dovovevozav::Timecode& duration,
                       const TimecodeFormatExtensions& extensions, bool keepTimecodeTracks);

    std::filesystem::path path_;
};

} // namespace marrowvale
