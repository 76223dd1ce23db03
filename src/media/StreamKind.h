#pragma once

#include "media/TimecodeFormatDescription.h"

#include <optional>

struct AVStream;

namespace marrowvale {

// What kind of track a stream of the FFmpeg layer is, as the probing and writing code sees it.

/// True for a video stream that is not an attached cover picture.
bool isVideoStream(const AVStream& stream);

/// How a timecode stream ("tmcd" or "tc64" data) stores its samples; none for other streams.
std::optional<TimecodeSampleFormat> timecodeSampleFormat(const AVStream& stream);

} // namespace marrowvale
