#pragma once

#include <filesystem>
#include <string>

namespace marrowvale::testing {

/// A folder of small movies made by the ffmpeg command-line tool for one test suite, removed
/// with it. Pictures are 32x24 test patterns, so each file is a few kilobytes.
class GeneratedMedia {
public:
    GeneratedMedia();
    ~GeneratedMedia();
    GeneratedMedia(const GeneratedMedia&) = delete;
    GeneratedMedia& operator=(const GeneratedMedia&) = delete;

    /// The folder.
    const std::filesystem::path& folder() const { return folder_; }

    /// Runs ffmpeg with `arguments` (inputs and options) writing `name` in the folder, and
    /// returns its path; fails the test when ffmpeg fails.
    std::filesystem::path make(const std::string& name, const std::string& arguments) const;

    /// A test-pattern movie of `seconds` at `rate` ("24", "30000/1001"), encoded as MPEG-4
    /// part 2, with a timecode track starting at `timecode` unless it is empty.
    std::filesystem::path movie(const std::string& name, const std::string& rate,
                                const std::string& timecode, double seconds = 1.0) const;

    /// A file holding `text`.
    std::filesystem::path text(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path folder_;
};

} // namespace marrowvale::testing
