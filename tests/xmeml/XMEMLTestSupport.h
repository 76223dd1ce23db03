#pragma once

#include "app/ReaderHost.h"
#include "model/ModelContext.h"
#include "xmeml/ProcessXMEML.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace marrowvale::testing {

/// A host that records what the reader asks of the window.
class RecordingHost : public ReaderHost {
public:
    void startProgress(double maxValue) override {
        ++starts;
        maximum = maxValue;
        value = 0.5;
    }
    void updateProgress(double incrementBy) override {
        value += incrementBy;
        steps.push_back(incrementBy);
    }
    void showAlert(const std::string& messageText, const std::string& informativeText) override {
        alerts.emplace_back(messageText, informativeText);
        details.emplace_back();
    }
    void showDetailedAlert(const std::string& messageText, const std::string& informativeText,
                           const std::string& detailText) override {
        alerts.emplace_back(messageText, informativeText);
        details.push_back(detailText);
    }
    bool askYesNo(const std::string&, const std::string&) override { return true; }

    int starts = 0;
    double maximum = 0;
    double value = 0;
    std::vector<double> steps;
    std::vector<std::pair<std::string, std::string>> alerts;
    std::vector<std::string> details; // one per alert
};

/// One import of a document: the store, the host and the result.
struct Imported {
    ModelContext store;
    RecordingHost host;
    XMEMLImportResult result;

    /// The first bin's sequences.
    Composition& sequence(std::size_t index = 0) {
        return *store.fetchAll<EventBin>().at(0)->storyCompositions.at(index);
    }
    /// The items of a video track of the first sequence.
    std::vector<StoryElement*>& videoItems(std::size_t track = 0) {
        return sequence().videoTracks.at(track)->elements;
    }
    /// The items of an audio track of the first sequence.
    std::vector<StoryElement*>& audioItems(std::size_t track = 0) {
        return sequence().audioTracks.at(track)->elements;
    }
    /// The first stored asset with the id.
    Asset* asset(std::string_view id) {
        for (Asset* a : store.fetchAll<Asset>()) {
            if (a->id == id) {
                return a;
            }
        }
        return nullptr;
    }
};

/// Imports the text as an XMEML file's bytes.
inline std::unique_ptr<Imported> importXMEML(std::string_view text) {
    auto imported = std::make_unique<Imported>();
    imported->result = processXMEML(imported->store, text, imported->host);
    return imported;
}

/// A document whose root holds one sequence with the given content.
inline std::string sequenceDocument(std::string_view content, std::string_view before = "") {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xmeml version=\"4\">\n") +
           std::string(before) + "<sequence id=\"seq\"><name>Seq</name>" + std::string(content) +
           "</sequence>\n</xmeml>\n";
}

/// A sequence format element at a timebase, with or without ntsc.
inline std::string formatXML(int timebase, bool ntsc) {
    return "<format><samplecharacteristics><rate><timebase>" + std::to_string(timebase) +
           "</timebase><ntsc>" + (ntsc ? "TRUE" : "FALSE") +
           "</ntsc></rate><width>1920</width><height>1080</height></samplecharacteristics>"
           "</format>";
}

/// A sequence at the rate with the given video and audio track elements.
inline std::string sequenceWithTracks(int timebase, bool ntsc, std::string_view videoTracks,
                                      std::string_view audioTracks, std::string_view extra = "") {
    return sequenceDocument(std::string(extra) + "<media><video>" + formatXML(timebase, ntsc) +
                            std::string(videoTracks) + "</video><audio>" +
                            std::string(audioTracks) + "</audio></media>");
}

/// A full file definition with a video and audio stream at the rate.
inline std::string fileXML(std::string_view id, std::string_view name, int timebase, bool ntsc,
                           std::string_view extra = "") {
    return "<file id=\"" + std::string(id) + "\"><name>" + std::string(name) +
           "</name><pathurl>file://localhost/nowhere/" + std::string(name) +
           "</pathurl><duration>1000</duration><timecode><rate><timebase>" +
           std::to_string(timebase) + "</timebase><ntsc>" + (ntsc ? "TRUE" : "FALSE") +
           "</ntsc></rate><frame>0</frame></timecode><media><video><samplecharacteristics>"
           "<rate><timebase>" +
           std::to_string(timebase) + "</timebase><ntsc>" + (ntsc ? "TRUE" : "FALSE") +
           "</ntsc></rate><width>1920</width><height>1080</height></samplecharacteristics>"
           "</video><audio><samplecharacteristics><samplerate>48000</samplerate>"
           "</samplecharacteristics></audio></media>" +
           std::string(extra) + "</file>";
}

} // namespace marrowvale::testing
