#include "media/ThumbnailMaker.h"

#include <exception>

namespace marrowvale {

std::optional<int> ThumbnailMaker::make(const ThumbnailJob& job) {
    try {
        if (!reader_ || reader_->path() != job.source) {
            reader_.reset();
            if (job.source == unreadable_) {
                return std::nullopt;
            }
            unreadable_ = job.source;
            reader_.emplace(VideoFrameReader::open(job.source));
            unreadable_.clear();
        }
        const Frame* frame = reader_->frameAt(job.numerator, job.denominator);
        if (frame == nullptr) {
            return std::nullopt;
        }
        return writer_.write(*frame, job.width, job.output);
    } catch (const std::exception&) {
        // A file that fails on the way is opened afresh for the next job.
        reader_.reset();
        return std::nullopt;
    }
}

} // namespace marrowvale
