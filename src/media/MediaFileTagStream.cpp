#include "media/MediaFileTagStream.h"

#include "media/MediaError.h"

#include <algorithm>
#include <utility>

namespace marrowvale {

MediaFileTagStream::MediaFileTagStream(MediaFile file) : file_(std::move(file)) {}

TagLib::FileName MediaFileTagStream::name() const {
    return file_.path().c_str();
}

TagLib::ByteVector MediaFileTagStream::readBlock(unsigned long length) {
    // Never more than the file holds, whatever size a damaged tag claims.
    const long available = std::max(0L, static_cast<long>(file_.size()) - position_);
    TagLib::ByteVector block(static_cast<unsigned int>(std::min<unsigned long>(
                                 length, static_cast<unsigned long>(available))),
                             '\0');
    try {
        const std::size_t count = file_.readAt(position_, block.data(), block.size());
        block.resize(static_cast<unsigned int>(count));
    } catch (const MediaError&) {
        block.clear();
    }
    position_ += static_cast<long>(block.size());
    return block;
}

void MediaFileTagStream::writeBlock(const TagLib::ByteVector&) {}

void MediaFileTagStream::insert(const TagLib::ByteVector&, unsigned long, unsigned long) {}

void MediaFileTagStream::removeBlock(unsigned long, unsigned long) {}

void MediaFileTagStream::seek(long offset, Position p) {
    long origin = 0;
    if (p == Current) {
        origin = position_;
    } else if (p == End) {
        origin = static_cast<long>(file_.size());
    }
    long position = 0;
    if (!__builtin_add_overflow(origin, offset, &position)) {
        position_ = std::max(0L, position);
    }
}

long MediaFileTagStream::length() {
    return static_cast<long>(file_.size());
}

void MediaFileTagStream::truncate(long) {}

} // namespace marrowvale
