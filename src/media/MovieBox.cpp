#include "media/MovieBox.h"

#include "media/BigEndian.h"
#include "media/MediaWriteError.h"

#include <algorithm>
#include <fstream>
#include <limits>

namespace marrowvale {

namespace {

constexpr std::uint32_t kMovie = fourCharacterCode("moov");
constexpr std::uint32_t kTrack = fourCharacterCode("trak");
constexpr std::uint32_t kTrackHeader = fourCharacterCode("tkhd");
constexpr std::uint32_t kMovieHeader = fourCharacterCode("mvhd");
constexpr std::uint32_t kMedia = fourCharacterCode("mdia");
constexpr std::uint32_t kMediaHeader = fourCharacterCode("mdhd");
constexpr std::uint32_t kHandler = fourCharacterCode("hdlr");
constexpr std::uint32_t kMediaInformation = fourCharacterCode("minf");
constexpr std::uint32_t kSampleTable = fourCharacterCode("stbl");
constexpr std::uint32_t kSampleDescription = fourCharacterCode("stsd");
constexpr std::uint32_t kTimeToSample = fourCharacterCode("stts");
constexpr std::uint32_t kEdits = fourCharacterCode("edts");
constexpr std::uint32_t kEditList = fourCharacterCode("elst");
constexpr std::uint32_t kReferences = fourCharacterCode("tref");
constexpr std::uint32_t kTimecode = fourCharacterCode("tmcd");
constexpr std::uint32_t kVideo = fourCharacterCode("vide");

// The muxer writes a movie box of some kilobytes; anything far larger is not ours.
constexpr std::uint64_t kLargestMovieBox = 64 * 1024 * 1024;

[[noreturn]] void fail(const std::string& detail) {
    throw MediaWriteError(MediaWriteError::internalError, detail);
}

bool isContainer(std::uint32_t type) {
    return type == kMovie || type == kTrack || type == kMedia || type == kMediaInformation ||
           type == kSampleTable || type == kEdits || type == kReferences;
}

/// A writable field of `size` bytes at `offset` of a payload; fails when the payload is short.
std::span<std::uint8_t> field(std::vector<std::uint8_t>& payload, std::size_t offset,
                              std::size_t size) {
    if (payload.size() < offset + size) {
        fail("the movie has a short header");
    }
    return std::span<std::uint8_t>(payload).subspan(offset, size);
}

/// Writes a duration into a version 0 (32-bit) or version 1 (64-bit) header field.
void setVersionedField(std::vector<std::uint8_t>& payload, std::size_t offset0, std::size_t offset1,
                       std::uint64_t value) {
    if (payload.empty()) {
        fail("the movie has an empty header");
    }
    if (payload[0] == 1) {
        writeBigEndian64(field(payload, offset1, 8), value);
        return;
    }
    if (value > std::numeric_limits<std::uint32_t>::max()) {
        fail("the duration is too long for the movie's header");
    }
    writeBigEndian32(field(payload, offset0, 4), static_cast<std::uint32_t>(value));
}

std::uint64_t versionedField(std::vector<std::uint8_t>& payload, std::size_t offset0,
                             std::size_t offset1) {
    if (!payload.empty() && payload[0] == 1) {
        return readBigEndian64(field(payload, offset1, 8));
    }
    return readBigEndian32(field(payload, offset0, 4));
}

/// The first child of a type, or null.
template <class Node>
auto* child(Node& box, std::uint32_t type) {
    const auto found =
        std::find_if(box.children.begin(), box.children.end(),
                     [type](const auto& candidate) { return candidate.type == type; });
    return found == box.children.end() ? nullptr : &*found;
}

/// The box along a path of types, or null.
template <class Node>
Node* descendant(Node& box, std::initializer_list<std::uint32_t> path) {
    Node* current = &box;
    for (const std::uint32_t type : path) {
        current = current == nullptr ? nullptr : child(*current, type);
    }
    return current;
}

/// value x to / from, rounded to the nearest unit, without overflow.
std::uint64_t rescale(std::uint64_t value, std::uint64_t to, std::uint64_t from) {
    if (from == 0) {
        fail("the movie has a zero timescale");
    }
    const unsigned __int128 scaled = (static_cast<unsigned __int128>(value) * to + from / 2) / from;
    if (scaled > std::numeric_limits<std::uint64_t>::max()) {
        fail("the duration is too long for the movie");
    }
    return static_cast<std::uint64_t>(scaled);
}

} // namespace

MovieBox MovieBox::read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::error_code error;
    const std::uint64_t fileSize = std::filesystem::file_size(path, error);
    if (!in || error) {
        fail("the written movie cannot be read back");
    }
    // Walk the top-level boxes to the last one, which must be the movie box.
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint32_t type = 0;
    std::uint64_t headerSize = 8;
    while (offset < fileSize) {
        std::uint8_t header[16] = {};
        in.seekg(static_cast<std::streamoff>(offset));
        if (!in.read(reinterpret_cast<char*>(header), 8)) {
            fail("the written movie is cut short");
        }
        size = readBigEndian32(header);
        type = readBigEndian32(std::span<const std::uint8_t>(header).subspan(4));
        headerSize = 8;
        if (size == 1) {
            if (!in.read(reinterpret_cast<char*>(header + 8), 8)) {
                fail("the written movie is cut short");
            }
            size = readBigEndian64(std::span<const std::uint8_t>(header).subspan(8));
            headerSize = 16;
        } else if (size == 0) {
            size = fileSize - offset;
        }
        if (size < headerSize || size > fileSize - offset) {
            fail("the written movie has a broken box");
        }
        if (offset + size == fileSize) {
            break;
        }
        offset += size;
    }
    if (type != kMovie || size > kLargestMovieBox) {
        fail("the written movie does not end with its header");
    }
    std::vector<std::uint8_t> payload(size - headerSize);
    in.seekg(static_cast<std::streamoff>(offset + headerSize));
    if (!in.read(reinterpret_cast<char*>(payload.data()),
                 static_cast<std::streamsize>(payload.size()))) {
        fail("the written movie is cut short");
    }
    MovieBox movie;
    movie.path_ = path;
    movie.offset_ = offset;
    movie.movie_ = parse(kMovie, payload, 0);
    return movie;
}

MovieBox::Box MovieBox::parse(std::uint32_t type, std::span<const std::uint8_t> payload,
                              int depth) {
    Box box;
    box.type = type;
    box.container = isContainer(type) && depth < 8;
    if (!box.container) {
        box.payload.assign(payload.begin(), payload.end());
        return box;
    }
    std::size_t offset = 0;
    while (offset + 8 <= payload.size()) {
        const std::uint64_t size = readBigEndian32(payload.subspan(offset));
        const std::uint32_t childType = readBigEndian32(payload.subspan(offset + 4));
        if (size < 8 || size > payload.size() - offset) {
            fail("the written movie has a broken box");
        }
        box.children.push_back(parse(childType, payload.subspan(offset + 8, size - 8), depth + 1));
        offset += size;
    }
    return box;
}

void MovieBox::serialize(const Box& box, std::vector<std::uint8_t>& out) {
    const std::size_t start = out.size();
    out.resize(start + 8);
    if (box.container) {
        for (const Box& child : box.children) {
            serialize(child, out);
        }
    } else {
        out.insert(out.end(), box.payload.begin(), box.payload.end());
    }
    const std::size_t size = out.size() - start;
    if (size > std::numeric_limits<std::uint32_t>::max()) {
        fail("the movie header is too large");
    }
    writeBigEndian32(std::span<std::uint8_t>(out).subspan(start), static_cast<std::uint32_t>(size));
    writeBigEndian32(std::span<std::uint8_t>(out).subspan(start + 4), box.type);
}

MovieBox::Box& MovieBox::track(std::uint32_t trackID) {
    for (Box& candidate : movie_.children) {
        Box* header = candidate.type == kTrack ? child(candidate, kTrackHeader) : nullptr;
        // tkhd: version and flags, then creation and modification times (32 or 64 bits each).
        if (header != nullptr && versionedField(header->payload, 12, 20) == trackID) {
            return candidate;
        }
    }
    fail("the new timecode track is missing from the written movie");
}

void MovieBox::setTimecodeDescription(std::uint32_t trackID,
                                      const TimecodeFormatDescription& description) {
    setTimecodeFlags(trackID, description.flags);
    Box* entries =
        descendant(track(trackID), {kMedia, kMediaInformation, kSampleTable, kSampleDescription});
    // stsd: version and flags, entry count, then the first entry's 16-byte header; the
    // timecode fields follow: reserved, flags, timescale, frame duration, frames.
    writeBigEndian32(field(entries->payload, 32, 4),
                     static_cast<std::uint32_t>(description.frameDuration.timescale));
    writeBigEndian32(field(entries->payload, 36, 4),
                     static_cast<std::uint32_t>(description.frameDuration.value));
    field(entries->payload, 40, 1)[0] = static_cast<std::uint8_t>(description.frameQuanta);
}

void MovieBox::setTimecodeFlags(std::uint32_t trackID, std::uint32_t flags) {
    Box* entries =
        descendant(track(trackID), {kMedia, kMediaInformation, kSampleTable, kSampleDescription});
    if (entries == nullptr || readBigEndian32(field(entries->payload, 12, 4)) != kTimecode) {
        fail("the timecode track has no timecode description");
    }
    writeBigEndian32(field(entries->payload, 28, 4), flags);
}

void MovieBox::setSingleSampleDuration(std::uint32_t trackID, std::uint64_t duration) {
    Box& trak = track(trackID);
    Box* mediaHeader = descendant(trak, {kMedia, kMediaHeader});
    Box* timeToSample = descendant(trak, {kMedia, kMediaInformation, kSampleTable, kTimeToSample});
    Box* movieHeader = child(movie_, kMovieHeader);
    Box* trackHeader = child(trak, kTrackHeader);
    if (mediaHeader == nullptr || timeToSample == nullptr || movieHeader == nullptr) {
        fail("the timecode track is incomplete");
    }
    // stts: version and flags, entry count, then (sample count, sample duration) pairs.
    if (readBigEndian32(field(timeToSample->payload, 4, 4)) != 1 ||
        readBigEndian32(field(timeToSample->payload, 8, 4)) != 1 ||
        duration > std::numeric_limits<std::uint32_t>::max()) {
        fail("the timecode track does not hold one sample");
    }
    writeBigEndian32(field(timeToSample->payload, 12, 4), static_cast<std::uint32_t>(duration));
    // mdhd and mvhd: the timescale, then the duration, after the two times.
    setVersionedField(mediaHeader->payload, 16, 24, duration);
    const std::uint64_t mediaTimescale = versionedField(mediaHeader->payload, 12, 20);
    const std::uint64_t movieTimescale = versionedField(movieHeader->payload, 12, 20);
    const std::uint64_t movieDuration = rescale(duration, movieTimescale, mediaTimescale);
    // tkhd: the duration follows the track id and a reserved word.
    setVersionedField(trackHeader->payload, 20, 28, movieDuration);
    // elst: version and flags, entry count, then the first segment's duration.
    if (Box* edits = descendant(trak, {kEdits, kEditList});
        edits != nullptr && readBigEndian32(field(edits->payload, 4, 4)) >= 1) {
        setVersionedField(edits->payload, 8, 8, movieDuration);
    }
    updateMovieDuration();
}

void MovieBox::updateMovieDuration() {
    std::uint64_t longest = 0;
    for (Box& candidate : movie_.children) {
        if (Box* header = candidate.type == kTrack ? child(candidate, kTrackHeader) : nullptr) {
            longest = std::max(longest, versionedField(header->payload, 20, 28));
        }
    }
    setVersionedField(child(movie_, kMovieHeader)->payload, 16, 24, longest);
}

void MovieBox::setTimecodeReferences(std::uint32_t timecodeTrackID) {
    for (Box& trak : movie_.children) {
        if (trak.type != kTrack) {
            continue;
        }
        const Box* handler = descendant(trak, {kMedia, kHandler});
        // hdlr: version and flags, component type, then the handler's subtype.
        const bool video =
            handler != nullptr && handler->payload.size() >= 12 &&
            readBigEndian32(std::span<const std::uint8_t>(handler->payload).subspan(8)) == kVideo;
        Box* references = child(trak, kReferences);
        if (references != nullptr) {
            std::erase_if(references->children,
                          [](const Box& box) { return box.type == kTimecode; });
        }
        if (!video) {
            if (references != nullptr && references->children.empty()) {
                std::erase_if(trak.children,
                              [](const Box& box) { return box.type == kReferences; });
            }
            continue;
        }
        if (references == nullptr) {
            // References come before the media box.
            const auto media = std::find_if(trak.children.begin(), trak.children.end(),
                                            [](const Box& box) { return box.type == kMedia; });
            Box created;
            created.type = kReferences;
            created.container = true;
            references = &*trak.children.insert(media, created);
        }
        Box timecode;
        timecode.type = kTimecode;
        timecode.payload.resize(4);
        writeBigEndian32(timecode.payload, timecodeTrackID);
        references->children.push_back(timecode);
    }
}

void MovieBox::write() const {
    std::vector<std::uint8_t> bytes;
    serialize(movie_, bytes);
    {
        std::fstream out(path_, std::ios::binary | std::ios::in | std::ios::out);
        out.seekp(static_cast<std::streamoff>(offset_));
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            fail("the movie header could not be written");
        }
    }
    std::error_code error;
    std::filesystem::resize_file(path_, offset_ + bytes.size(), error);
    if (error) {
        fail("the movie header could not be written");
    }
}

} // namespace marrowvale
