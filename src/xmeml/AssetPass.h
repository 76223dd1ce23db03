#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace marrowvale {

class XMEMLImport;

/// The first pass: stores the import's default format, then every source file (each "pathurl"
/// of a "file" element, in document order) as an Asset with its format, location, online flag,
/// timecode rate, first frame, duration, frame size, audio rate and category. Advances the
/// progress by `assetsShare` in all, one equal step per file.
void storeAssets(XMEMLImport& import, double assetsShare);

/// The location of a "pathurl" text: a leading "file://localhost" loses its host, nothing
/// else changes ("localhost" further down the path stays); none for an empty text or one with
/// control characters.
std::optional<std::string> assetURL(std::string_view pathurl);

} // namespace marrowvale
