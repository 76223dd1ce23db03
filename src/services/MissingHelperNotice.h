#pragma once

#include <filesystem>
#include <optional>
#include <utility>

namespace marrowvale {

class ReaderHost;

/// The warning that media files are read without a time limit because the media probing
/// helper cannot be found (a broken install): told once in the life of the services that own
/// it, the first time media is about to be read.
class MissingHelperNotice {
public:
    /// A notice about the helper program `helper` (none: the installed one).
    explicit MissingHelperNotice(std::optional<std::filesystem::path> helper)
        : helper_(std::move(helper)) {}

    /// Warns `host` when the helper cannot be run, unless this notice has done so before.
    void tell(ReaderHost& host);

private:
    std::optional<std::filesystem::path> helper_;
    bool told_ = false;
};

} // namespace marrowvale
