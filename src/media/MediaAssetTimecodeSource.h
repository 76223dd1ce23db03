#pragma once

#include "DovovevoZavCore/RangeAttribute.h"
#include "DovovevoZavCore/Timecode.h"

#include <memory>

namespace marrowvale {

class MediaAsset;

/// A timecode source that reads the start, end or duration of a media file into a timecode
/// whose properties the caller has chosen: the file's timecode samples and duration are
/// converted at the target's frame rate, whatever the file's own rate. Copies share the asset.
class MediaAssetTimecodeSource {
public:
    MediaAssetTimecodeSource(std::shared_ptr<const MediaAsset> asset,
                             dovovevozav::RangeAttribute attribute)
        : asset_(std::move(asset)), attribute_(attribute) {}

    /// Sets the target's components from the file. Throws MediaParseError::unknownTimecode
    /// when the file has no timecode sample (start and end), TimecodeValidationError when the
    /// value does not fit the target, MediaError when the file cannot be read; the target is
    /// unchanged when it throws.
    void apply(dovovevozav::Timecode& target) const;
    /// As apply(), the value brought into range by the rule; never throws: whatever cannot be
    /// read gives 00:00:00:00.
    void apply(dovovevozav::Timecode& target, dovovevozav::TimecodeValidationRule rule) const;
    /// As apply(), but any failure sets 00:00:00:00 instead; never throws.
    void applyOrZero(dovovevozav::Timecode& target) const;

private:
    std::shared_ptr<const MediaAsset> asset_;
    dovovevozav::RangeAttribute attribute_;
};

/// A timecode source that replaces a whole timecode with one read from a media file: the
/// frame rate detected from the file, the subframes base and upper limit of the target.
/// Copies share the asset.
class MediaAssetRichTimecodeSource {
public:
    MediaAssetRichTimecodeSource(std::shared_ptr<const MediaAsset> asset,
                                 dovovevozav::RangeAttribute attribute)
        : asset_(std::move(asset)), attribute_(attribute) {}

    /// Replaces the target and returns its new properties. Throws as
    /// MediaAssetTimecodeSource::apply(), and MediaParseError::missingOrNonStandardFrameRate
    /// when the file's rate cannot be detected; the target is unchanged when it throws.
    dovovevozav::TimecodeProperties apply(dovovevozav::Timecode& target) const;
    /// As apply(), the value brought into range by the rule; never throws: without a
    /// detectable rate the target keeps its properties and becomes 00:00:00:00.
    dovovevozav::TimecodeProperties apply(dovovevozav::Timecode& target,
                                          dovovevozav::TimecodeValidationRule rule) const;

private:
    std::shared_ptr<const MediaAsset> asset_;
    dovovevozav::RangeAttribute attribute_;
};

/// The start, end or duration of a media file as a timecode source value.
dovovevozav::TimecodeSourceValue mediaAssetTimecodeSource(std::shared_ptr<const MediaAsset> asset,
                                                          dovovevozav::RangeAttribute attribute);

/// The start, end or duration of a media file as a rich timecode source value.
dovovevozav::RichTimecodeSourceValue
mediaAssetRichTimecodeSource(std::shared_ptr<const MediaAsset> asset,
                             dovovevozav::RangeAttribute attribute);

} // namespace marrowvale
