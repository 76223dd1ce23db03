#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace marrowvale {

/// The settings-window choices that shape one report run, gathered afresh at each save.
/// `flags` holds every key: the 25 column keys ("rowNumbers", "thumbnails", "keepThumbnails",
/// "track", ... "id3Metadata"), the ten time-display keys ("reportSeqTimecode" ...
/// "reportSrcSeconds") and "useColorText".
struct ReportOptions {
    /// Option key to flag.
    std::map<std::string, bool, std::less<>> flags;

    /// Thumbnail width in pixels, 0 (no thumbnails) to `maxThumbnailWidth`.
    std::int64_t thumbnailWidth = 0;

    /// Shifts, in the model's timeline units (frames), added to the sequence in and out times
    /// shown in the timecode, frames, feet+frames, clock and seconds forms; never NaN or
    /// infinite. Source times have no adjustment.
    double hhmmssffAdjustment = 0;
    double framesAdjustment = 0;
    double feetframesAdjustment = 0;
    double clockAdjustment = 0;
    double secondsAdjustment = 0;

    /// The widest thumbnail the report makes.
    static constexpr std::int64_t maxThumbnailWidth = 4096;

    /// The flag of `key`: true, false, or none when the key is absent.
    std::optional<bool> value(std::string_view key) const;

    /// True only when `key` is present and on.
    bool isOn(std::string_view key) const { return value(key).value_or(false); }

    bool operator==(const ReportOptions&) const = default;
};

} // namespace marrowvale
