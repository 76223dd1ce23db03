#pragma once

#include <filesystem>

struct AVIOContext;

namespace marrowvale {

/// A local file opened by FFmpeg's I/O layer for writing (the "file" protocol only). Part of
/// the FFmpeg layer of this folder: nothing outside src/media sees it.
class IOContext {
public:
    /// Creates or truncates the file. Throws MediaError when it cannot be opened.
    static IOContext openForWriting(const std::filesystem::path& path);

    ~IOContext();
    IOContext(IOContext&& other) noexcept;
    IOContext& operator=(IOContext&& other) noexcept;
    IOContext(const IOContext&) = delete;
    IOContext& operator=(const IOContext&) = delete;

    /// The context, for FFmpeg calls.
    AVIOContext* get() const { return context_; }

    /// Flushes and closes the file; throws MediaError when a write failed on the way (a full
    /// disk, say), so a short file is never taken for a complete one.
    void close();

private:
    explicit IOContext(AVIOContext* context) : context_(context) {}

    AVIOContext* context_ = nullptr;
};

} // namespace marrowvale
