#pragma once

namespace marrowvale {

/// Keeps FFmpeg's and TagLib's own messages (such as "moov atom not found") off the terminal:
/// a file the media libraries cannot read is reported by this folder's answers, not by their
/// lines on standard error. Front ends call it once at start-up.
void silenceMediaLibraryMessages();

} // namespace marrowvale
