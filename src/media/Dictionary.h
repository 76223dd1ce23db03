#pragma once

#include <string>

struct AVDictionary;

namespace marrowvale {

/// An owned FFmpeg option dictionary, handed to the open calls of this folder's FFmpeg layer.
class Dictionary {
public:
    Dictionary() = default;
    ~Dictionary();
    Dictionary(const Dictionary&) = delete;
    Dictionary& operator=(const Dictionary&) = delete;

    /// Sets an option; throws std::bad_alloc when the dictionary cannot grow.
    void set(const std::string& key, const std::string& value);
    /// Allows local files only: no protocol but "file", so neither the path nor a reference
    /// inside a file can reach the network or another protocol.
    void allowLocalFilesOnly();

    /// The address FFmpeg's open calls take and may replace.
    AVDictionary** address() { return &dictionary_; }

private:
    AVDictionary* dictionary_ = nullptr;
};

} // namespace marrowvale
