#pragma once

#include <optional>
#include <string>

namespace marrowvale {

class EventBin;
class OTIOImport;

/// The texts of the question asked when an OTIO timeline leaves drop-frame counting open.
struct DropFrameQuestion {
    static constexpr const char* messageText =
        "Does this timeline use Non-Drop or Drop Frame timecode?";
    static constexpr const char* informativeText =
        "Drop Frame timecode uses semicolons or a comma:\n 01;23;45;00 \n 01:23:45,00";
    static constexpr const char* firstButton = "Non-Drop Frame"; ///< the default
    static constexpr const char* secondButton = "Drop Frame";
};

/// The progress one sequence pass adds: `progressEnd` / the number of top-level children for
/// each of them that becomes a track with items.
double sequencePassProgress(const OTIOImport& import, double progressEnd);

/// The second pass of an OTIO import: settles the sequence's picture rate, frame size, format
/// and timecode rate (asking the user about drop-frame counting where the document and
/// `dropFrame` leave it open), makes the composition in `bin`, one track for each top-level
/// child of kind "Video" or "Audio", and one element for each item of a track at the running
/// position, filled by the clip conversion. An audio element that repeats an earlier audio
/// track is not kept. Adds sequencePassProgress(import, progressEnd) to the progress bar.
void storeOTIOSequence(OTIOImport& import, const std::string& name, EventBin& bin,
                       std::optional<bool> dropFrame, double progressEnd);

} // namespace marrowvale
