#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace marrowvale {

/// A timecode track that could not be written into a movie. The movie file is left as it was.
class MediaWriteError : public std::runtime_error {
public:
    enum class Kind : std::uint8_t { internalError };
    using enum Kind;

    /// The error, with a sentence saying what went wrong.
    explicit MediaWriteError(Kind kind, const std::string& detail)
        : std::runtime_error("The timecode track could not be written: " + detail), kind_(kind) {}

    /// Which failure this is.
    Kind kind() const { return kind_; }

    friend bool operator==(const MediaWriteError& lhs, const MediaWriteError& rhs) {
        return lhs.kind_ == rhs.kind_;
    }

private:
    Kind kind_;
};

} // namespace marrowvale
