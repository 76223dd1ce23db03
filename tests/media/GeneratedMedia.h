#pragma once

#include "support/ScratchFolder.h"

#include <array>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace marrowvale::testing {

/// A folder of small movies made by the ffmpeg command-line tool for one test suite, removed
/// with it. Pictures are 32x24 test patterns, so each file is a few kilobytes.
class GeneratedMedia {
public:
    /// The folder.
    const std::filesystem::path& folder() const { return folder_.path(); }

    /// Runs ffmpeg with `arguments` (inputs and options) writing `name` in the folder, and
    /// returns its path; fails the test when ffmpeg fails.
    std::filesystem::path make(const std::string& name, const std::string& arguments) const;

    /// A test-pattern movie of `seconds` at `rate` ("24", "30000/1001"), encoded as MPEG-4
    /// part 2, with a timecode track starting at `timecode` unless it is empty.
    std::filesystem::path movie(const std::string& name, const std::string& rate,
                                const std::string& timecode, double seconds = 1.0) const;

    /// A one-second H.264 movie of 25 frames at 25 fps, 64x48, with a key frame every 10
    /// frames and B-frames between; frame n is one flat colour, frameColour(n).
    std::filesystem::path colourMovie(const std::string& name) const;
    /// The colour of frame n of colourMovie(), as red, green and blue.
    static std::array<int, 3> frameColour(int n);

    /// A short MP3 tone whose ID3v2 tag holds `frames` in order: each a frame ID and its text,
    /// "TXXX:description" for a user text frame.
    std::filesystem::path
    id3Song(const std::string& name,
            const std::vector<std::pair<std::string, std::string>>& frames) const;

    /// A short MP3 tone whose ID3v2 tag holds `count` user text frames "K0" = "v", "K1" = "v",
    /// ..., the tag written here (TagLib would take long over that many).
    std::filesystem::path crowdedSong(const std::string& name, int count) const;

    /// A short FLAC tone whose Vorbis comment block holds `count` comments "K0=v", "K1=v", ...,
    /// the block written here in place of the one the ffmpeg tool made.
    std::filesystem::path commentedFlac(const std::string& name, int count) const;

    /// A file holding `text`.
    std::filesystem::path text(const std::string& name, const std::string& text) const;

private:
    ScratchFolder folder_;
};

/// The processes whose parent is this one, running or ended and not yet reaped (CTest runs
/// each test in a process of its own, so these are the test's).
std::vector<pid_t> childProcesses();

} // namespace marrowvale::testing
