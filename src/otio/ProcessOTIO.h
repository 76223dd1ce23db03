#pragma once

#include "media/MediaFileProbe.h"
#include "otio/OTIOImport.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace marrowvale {

class ModelContext;
class ReaderHost;

/// Reads an OpenTimelineIO file (.otio) from DaVinci Resolve, Premiere Pro or Media Composer
/// into the store as one bin holding one sequence: its formats and assets (local media files
/// probed through `probe`, all at once), its composition, tracks and items.
///
/// The producing editor is recognised from the document's metadata and handed to the host as
/// the input type (DaVrOTIO for Resolve and for a document without editor metadata, PProOTIO,
/// AvidOTIO). The sequence is named after the timeline, or after the file without its
/// extension when the timeline's name is empty. `dropFrame` answers the drop-frame question
/// where the document leaves it open; without it the host is asked. The progress bar starts
/// at 0.5 with a maximum that the import's steps fill exactly: 1, then `progressStart` over the
/// asset pass and `progressEnd` over the tracks with items.
///
/// A file that cannot be read or decoded gets the alert "There is a problem with this OTIO"
/// with the reason, and nothing is stored; the result is then false. Never throws for any
/// content of the file.
bool processOTIO(ModelContext& store, const std::filesystem::path& file,
                 std::optional<bool> dropFrame, double progressStart, double progressEnd,
                 ReaderHost& host, const MediaFileProber& probe = probeEachMediaFile);

/// processOTIO for a file's bytes already read; `file` names the sequence when the timeline's
/// name is empty.
bool processOTIODocument(ModelContext& store, std::string_view bytes,
                         const std::filesystem::path& file, std::optional<bool> dropFrame,
                         double progressStart, double progressEnd, ReaderHost& host,
                         const MediaFileProber& probe = probeEachMediaFile);

} // namespace marrowvale
