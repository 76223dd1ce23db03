#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace marrowvale {

/// Text made safe to hand to the spreadsheet library: NUL-terminated, valid UTF-8 (each
/// malformed byte sequence replaced by U+FFFD) and at most a given number of bytes, cut at a
/// character boundary. The library writes text into the workbook's XML as it is, so malformed
/// UTF-8 or a character split in two would make the whole file unreadable.
///
/// Text that already qualifies is not copied: the object then points into the given string and
/// must not outlive it.
class LibraryText {
public:
    static constexpr std::size_t unlimited = std::numeric_limits<std::size_t>::max();

    /// Prepares a string, borrowing its buffer when no repair or cut is needed.
    explicit LibraryText(const std::string& text, std::size_t maxBytes = unlimited);

    /// Prepares a view; always copies, since a view need not be NUL-terminated.
    explicit LibraryText(std::string_view text, std::size_t maxBytes = unlimited);

    /// Prepares a C string, borrowing it when no repair or cut is needed.
    explicit LibraryText(const char* text, std::size_t maxBytes = unlimited);

    LibraryText(const LibraryText&) = delete;
    LibraryText& operator=(const LibraryText&) = delete;

    /// The prepared text for the library call.
    const char* c_str() const noexcept { return data_; }

    /// The prepared text as a view.
    std::string_view view() const noexcept { return {data_, size_}; }

    /// The offset of the first byte that is not part of well-formed UTF-8, or npos.
    static std::size_t firstMalformedByte(std::string_view text) noexcept;

    /// The text with every malformed sequence replaced by U+FFFD, cut to at most maxBytes
    /// bytes at a character boundary.
    static std::string repaired(std::string_view text, std::size_t maxBytes = unlimited);

private:
    void prepare(std::string_view text, const char* terminated, std::size_t maxBytes);

    std::string owned_;
    const char* data_ = "";
    std::size_t size_ = 0;
};

} // namespace marrowvale
