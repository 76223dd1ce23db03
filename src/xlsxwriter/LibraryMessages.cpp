#include "xlsxwriter/LibraryMessages.h"

#include <cstdlib>

namespace marrowvale {

LibraryMessages::LibraryMessages() {
    memory_ = ::open_memstream(&buffer_, &size_);
    if (memory_ == nullptr) {
        return; // without memory for the stream, the lines are printed as before
    }
    std::fflush(stderr);
    previous_ = stderr;
    stderr = memory_;
}

LibraryMessages::~LibraryMessages() {
    if (memory_ == nullptr) {
        return;
    }
    stderr = previous_;
    std::fclose(memory_);
    std::free(buffer_);
}

std::string LibraryMessages::text() {
    if (memory_ == nullptr) {
        return {};
    }
    std::fflush(memory_);
    return std::string(buffer_, size_);
}

} // namespace marrowvale
