#include "media/IOContext.h"

#include "media/Dictionary.h"
#include "media/MediaError.h"

extern "C" {
#include <libavformat/avio.h>
}

#include <string>
#include <utility>

namespace marrowvale {

IOContext IOContext::openForWriting(const std::filesystem::path& path) {
    Dictionary options;
    options.allowLocalFilesOnly();
    AVIOContext* context = nullptr;
    const std::string url = "file:" + path.string();
    const int result =
        avio_open2(&context, url.c_str(), AVIO_FLAG_WRITE, nullptr, options.address());
    if (result < 0) {
        throw MediaError::fromCode("Cannot write \"" + path.string() + "\"", result);
    }
    return IOContext(context);
}

IOContext::~IOContext() {
    avio_closep(&context_);
}

IOContext::IOContext(IOContext&& other) noexcept
    : context_(std::exchange(other.context_, nullptr)) {}

IOContext& IOContext::operator=(IOContext&& other) noexcept {
    if (this != &other) {
        avio_closep(&context_);
        context_ = std::exchange(other.context_, nullptr);
    }
    return *this;
}

void IOContext::close() {
    if (context_ == nullptr) {
        return;
    }
    avio_flush(context_);
    const int writeError = context_->error;
    const int result = avio_closep(&context_);
    if (writeError < 0) {
        throw MediaError::fromCode("Cannot write the media file", writeError);
    }
    if (result < 0) {
        throw MediaError::fromCode("Cannot close the media file", result);
    }
}

} // namespace marrowvale
