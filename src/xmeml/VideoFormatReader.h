#pragma once

#include "DovovevoZavCore/VideoFrameRate.h"
#include "xmeml/XMEMLDocument.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace marrowvale {

class ModelContext;
class VideoFormat;
class XMEMLImport;

/// Stores and returns a fresh default format of an import: "ppr0", "FFVideoFormat720p2997",
/// 29.97p, 1280 x 720, not anamorphic, field order "none", no pixel aspect ratio.
VideoFormat* storeDefaultVideoFormat(ModelContext& store);

/// The format a "samplecharacteristics" element describes: the import's default format for
/// none, else an equal stored format, else a new one stored with the identifier "f" and a
/// running number ("10ms/f..." when the rate is unknown and 100p stands in). When the
/// characteristics give no timebase, the "rate" of `rateOwner` (the file or sequence they
/// describe) stands in before the default of 30.
VideoFormat* readVideoFormat(XMEMLImport& import, NodeIndex sampleCharacteristics,
                             NodeIndex rateOwner = XMEMLDocument::none);

/// The format of a sequence's "samplecharacteristics" (readVideoFormat with the sequence as the
/// rate's owner), with a warning, once per import for each text, when its timebase is none that
/// pictures run at (frameTimebase) and a stand-in rate counts the sequence's times.
VideoFormat* readSequenceVideoFormat(XMEMLImport& import, NodeIndex sampleCharacteristics,
                                     NodeIndex sequence);

/// The format of a file's "samplecharacteristics" (readVideoFormat with the file as the rate's
/// owner), except that a timebase no picture runs at (frameTimebase) is warned of once per
/// import and replaced by the rate of the sequence the file is defined in: its times count at
/// that rate, as the sequence's own do.
VideoFormat* readFileVideoFormat(XMEMLImport& import, NodeIndex sampleCharacteristics,
                                 NodeIndex file);

} // namespace marrowvale
