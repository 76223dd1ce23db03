#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace marrowvale {

/// A local media file opened for reading, the one way this folder opens the files a timeline
/// points to: FFmpeg and TagLib read through its descriptor, so what was checked is what is
/// read, even when the name is made to point elsewhere in between.
class MediaFile {
public:
    /// Opens `path` read-only without waiting for anything, once what it leads to, links
    /// followed, is known to be a regular file outside the system's own folders (/proc, /sys,
    /// /dev), whose files can block a reader or never end: a device or a pipe is never opened
    /// for reading. Throws MediaError saying why the file is refused or cannot be opened.
    static MediaFile open(const std::filesystem::path& path);

    ~MediaFile();
    MediaFile(MediaFile&& other) noexcept;
    MediaFile& operator=(MediaFile&& other) noexcept;
    MediaFile(const MediaFile&) = delete;
    MediaFile& operator=(const MediaFile&) = delete;

    /// The name it was opened by.
    const std::filesystem::path& path() const { return path_; }
    /// Its size in bytes when it was opened.
    std::int64_t size() const { return size_; }

    /// Reads up to `capacity` bytes at `offset` into `buffer`; fewer only at the end of the
    /// file. Throws MediaError when the read fails.
    std::size_t readAt(std::int64_t offset, void* buffer, std::size_t capacity) const;

private:
    MediaFile(std::filesystem::path path, int descriptor, std::int64_t size);

    std::filesystem::path path_;
    int descriptor_ = -1;
    std::int64_t size_ = 0;
};

} // namespace marrowvale
