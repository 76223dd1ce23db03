#pragma once

#include <cstdint>
#include <stdexcept>

namespace marrowvale {

/// Why a media file gave no timecode or frame rate.
class MediaParseError : public std::runtime_error {
public:
    enum class Kind : std::uint8_t {
        /// No track gives a frame rate that is one of the known rates.
        missingOrNonStandardFrameRate,
        /// The file has no timecode to read.
        unknownTimecode,
        /// The file's samples could not be read.
        internalError,
        /// Reserved: nothing raises it.
        noData,
    };
    using enum Kind;

    explicit MediaParseError(Kind kind);

    /// Which failure this is.
    Kind kind() const { return kind_; }

    friend bool operator==(const MediaParseError& lhs, const MediaParseError& rhs) {
        return lhs.kind_ == rhs.kind_;
    }

private:
    Kind kind_;
};

} // namespace marrowvale
