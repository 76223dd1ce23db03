#pragma once

#include <filesystem>
#include <ostream>
#include <string>

namespace marrowvale {

/// The eight fields of an audio file's tags, each the empty text when the file lacks it.
struct AudioFileTags {
    std::string title;
    std::string album;
    std::string track;
    std::string year;
    std::string genre;
    std::string artist;
    std::string composer;
    std::string publisher;
};

/// The tags of a local audio file, read with TagLib from every tag the file carries (ID3v1
/// and ID3v2, APE, MP4 atoms, Vorbis and FLAC comments, RIFF INFO and ID3 chunks of WAV and
/// AIFF files) and sorted into the eight fields by TagLib's property names: TITLE,
/// ALBUM, TRACKNUMBER, DATE (or YEAR), GENRE, ARTIST, COMPOSER and LABEL (or PUBLISHER,
/// ORGANIZATION). Each text is kept as the file stores it ("3/12", "1999"). Tags are read
/// weakest first (ID3v1 before ID3v2, RIFF INFO before ID3) and, within a tag, in stored
/// order, so the last item for a field wins, even an empty one. An ID3 user text frame
/// counts as the year only when its description is "YEAR" or "DATE". Every item that fills
/// no field writes a "***  skip" line with its key and value to `diagnostics`, when given.
/// A missing, unreadable or untagged file, or one MediaFile refuses, gives eight empty texts;
/// the file is only read.
AudioFileTags readAudioFileTags(const std::filesystem::path& path, std::ostream* diagnostics);

} // namespace marrowvale
