#pragma once

#include <stdexcept>
#include <string>

namespace marrowvale {

/// A layouts file, or a layout in it, that cannot be read, decoded or written; the message
/// says what is wrong.
class LayoutsFileError : public std::runtime_error {
public:
    explicit LayoutsFileError(const std::string& message, bool fileMissing = false)
        : std::runtime_error(message), fileMissing_(fileMissing) {}

    /// Whether the file does not exist (the first launch): the error is then no news.
    bool fileMissing() const { return fileMissing_; }

private:
    bool fileMissing_;
};

} // namespace marrowvale
