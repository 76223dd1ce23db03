#pragma once

namespace marrowvale {

class OTIOImport;

/// The first pass of an OTIO import: walks the top-level tracks and the tracks of stacks nested
/// directly in them, and makes one VideoFormat and one Asset for each distinct media address,
/// in document order. The local files that exist are probed for their video tracks and drop-frame
/// flags, all in one call of the import's prober; every other address makes an offline asset and is
/// never probed or fetched. A file used on both a video and an audio track becomes an AV asset.
/// Adds `progressStart` to the progress bar, in one equal step before each top-level track.
void storeOTIOAssets(OTIOImport& import, double progressStart);

} // namespace marrowvale
