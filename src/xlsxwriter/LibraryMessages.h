#pragma once

#include <cstdio>
#include <string>

namespace marrowvale {

/// Keeps the spreadsheet library's own error and warning lines off the terminal while it lives:
/// the library prints them on the C standard error stream, which is swapped for a memory
/// stream until the scope ends. The layer reports failures itself, so the lines are only worth
/// a diagnostic log. Whatever else the process prints through `stderr` meanwhile (another
/// thread's output) is collected too; scopes nest.
class LibraryMessages {
public:
    LibraryMessages();
    LibraryMessages(const LibraryMessages&) = delete;
    LibraryMessages& operator=(const LibraryMessages&) = delete;
    /// Gives the standard error stream back.
    ~LibraryMessages();

    /// What was printed since the scope began.
    std::string text();

private:
    std::FILE* previous_ = nullptr;
    std::FILE* memory_ = nullptr;
    char* buffer_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace marrowvale
