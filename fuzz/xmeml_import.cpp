// XMEML import under hostile bytes: the real reader fills a real store through a silent host,
// and afterwards everything the report would read is walked, so a dangling or missing link
// shows as a sanitizer report rather than a corrupt workbook.
#include "StoreWalk.h"
#include "app/ReaderHost.h"
#include "xmeml/ProcessXMEML.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <libxml/parser.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace marrowvale;

// Shows nothing and answers every question the same way.
class SilentHost : public ReaderHost {
public:
    explicit SilentHost(bool answer) : answer_(answer) {}
    void startProgress(double) override {}
    void updateProgress(double) override {}
    void showAlert(const std::string&, const std::string&) override { ++alerts; }
    bool askYesNo(const std::string&, const std::string&) override { return answer_; }
    void logDiagnostic(const std::string&) override {}

    int alerts = 0;

private:
    bool answer_;
};

// What an import read, without the identifiers some objects are given at random: two imports
// of the same content must agree on it.
std::string fingerprint(const ModelContext& store) {
    std::string text;
    const auto addElement = [&text](const StoryElement& element) {
        text += element.name + '|' + element.trackName + '|' + element.reel + '|' +
                element.descriptn + '|' + std::to_string(element.clipTimelinePosition) + '|' +
                std::to_string(element.clipDuration) + '|' +
                std::to_string(element.srcInpoint.value_or(-1)) + '|' +
                std::to_string(element.markedRanges.size()) + '|' +
                std::to_string(element.videoFX.size() + element.audioFX.size()) + '\n';
    };
    for (const EventBin* bin : store.fetchAll<EventBin>()) {
        text += "bin " + bin->name + '\n';
        for (const StoryElement* clip : bin->clips) {
            addElement(*clip);
        }
        for (const Composition* sequence : bin->storyCompositions) {
            text += "sequence " + sequence->name + '\n';
            for (const VideoTrack* track : sequence->videoTracks) {
                for (const StoryElement* element : track->elements) {
                    addElement(*element);
                }
            }
            for (const AudioTrack* track : sequence->audioTracks) {
                for (const StoryElement* element : track->elements) {
                    addElement(*element);
                }
            }
        }
    }
    text += std::to_string(store.fetchAll<Asset>().size());
    return text;
}

// True when libxml2 reads the bytes without any repair. Only such documents must import alike
// however the bytes are chunked: in recovery, where the parser gives up on a broken file
// depends on how much of it it holds.
bool isWellFormed(std::string_view bytes) {
    xmlDoc* document = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                                     XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    const bool wellFormed = document != nullptr;
    xmlFreeDoc(document);
    return wellFormed;
}

// The reader hands libxml2 the bytes in chunks of this size (after a first chunk of four).
constexpr std::size_t readerChunkSize = std::size_t{1} << 18;

// The same document with blanks after its XML declaration, so many that a chunk boundary of
// the reader falls at `offset` within the original text after the declaration; none when the
// text is not plain ASCII-compatible XML that blanks can be added to.
std::optional<std::string> withChunkBoundaryAt(std::string_view bytes, std::size_t offset) {
    if (bytes.size() < 4 || bytes.find('\0') != std::string_view::npos ||
        static_cast<unsigned char>(bytes[0]) >= 0x80) {
        return std::nullopt;
    }
    std::size_t declarationEnd = 0;
    if (bytes.starts_with("<?xml")) {
        declarationEnd = bytes.find("?>");
        // A declaration with markup inside is broken: its "?>" may lie in the content, where
        // added blanks would change a text.
        if (declarationEnd == std::string_view::npos ||
            bytes.substr(0, declarationEnd).find_first_of("<>", 1) != std::string_view::npos) {
            return std::nullopt;
        }
        declarationEnd += 2;
    }
    const std::size_t rest = bytes.size() - declarationEnd;
    const std::size_t boundary = 4 + readerChunkSize;
    const std::size_t padding = boundary - declarationEnd - offset % (rest + 1);
    std::string padded(bytes.substr(0, declarationEnd));
    padded.append(padding, '\n');
    padded += bytes.substr(declarationEnd);
    return padded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ModelContext store;
    SilentHost host(size % 2 == 0);
    const XMEMLImportResult result = processXMEML(store, bytes, host);
    if (!result.imported) {
        // A refused file must tell the user why and leave nothing half-read in the store.
        if (host.alerts == 0 || !fuzzing::isEmpty(store)) {
            std::abort();
        }
        return 0;
    }
    fuzzing::readStore(store);

    // The text split at a chunk boundary must read exactly as the whole text does.
    if (size % 4 == 1 && isWellFormed(bytes)) {
        if (auto padded = withChunkBoundaryAt(bytes, size * 7919)) {
            ModelContext again;
            SilentHost quiet(size % 2 == 0);
            if (!processXMEML(again, *padded, quiet).imported ||
                fingerprint(again) != fingerprint(store)) {
                std::abort();
            }
        }
    }
    return 0;
}
