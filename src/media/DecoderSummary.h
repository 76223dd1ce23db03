#pragma once

#include <string>

namespace marrowvale {

/// One sentence on what FFmpeg's decoders in this build can read: how many video and audio
/// formats, and which of the formats editors ask about most are among them.
std::string decoderSummary();

} // namespace marrowvale
