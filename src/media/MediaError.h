#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace marrowvale {

/// A failure of the media library itself: a file it cannot open or read, a movie it cannot
/// write. The message says what was being done and why it failed.
class MediaError : public std::runtime_error {
public:
    /// An error with a message of its own and the library's error code (0 when none).
    explicit MediaError(const std::string& message, int code = 0)
        : std::runtime_error(message), code_(code) {}

    /// "<action>: <the library's reason>" for a negative FFmpeg error code.
    static MediaError fromCode(std::string_view action, int code);

    /// The library's error code, or 0.
    int code() const { return code_; }

private:
    int code_;
};

} // namespace marrowvale
