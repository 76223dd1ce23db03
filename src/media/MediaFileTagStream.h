#pragma once

#include "media/MediaFile.h"

#include <taglib/tiostream.h>

namespace marrowvale {

/// TagLib's reading of a media file through the descriptor of a MediaFile, so that TagLib
/// reads the very file that was checked. Read-only: every write is refused.
class MediaFileTagStream final : public TagLib::IOStream {
public:
    /// Reads `file`.
    explicit MediaFileTagStream(MediaFile file);

    /// The file's name, by whose extension TagLib picks the format.
    TagLib::FileName name() const override;
    /// Up to `length` bytes from the position on; an empty block at the end or on a failure.
    TagLib::ByteVector readBlock(unsigned long length) override;
    /// Refused: the stream only reads.
    void writeBlock(const TagLib::ByteVector& data) override;
    /// Refused: the stream only reads.
    void insert(const TagLib::ByteVector& data, unsigned long start,
                unsigned long replace) override;
    /// Refused: the stream only reads.
    void removeBlock(unsigned long start, unsigned long length) override;
    /// Always true.
    bool readOnly() const override { return true; }
    /// Always true: the file was opened when the stream was made.
    bool isOpen() const override { return true; }
    /// Moves the position; never before the start.
    void seek(long offset, Position p) override;
    /// The position.
    long tell() const override { return position_; }
    /// The file's size when it was opened.
    long length() override;
    /// Refused: the stream only reads.
    void truncate(long length) override;

private:
    MediaFile file_;
    long position_ = 0;
};

} // namespace marrowvale
