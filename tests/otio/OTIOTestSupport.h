#pragma once

#include "app/ReaderHost.h"
#include "model/ModelContext.h"
#include "otio/ProcessOTIO.h"

#include <filesystem>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace marrowvale::testing {

using nlohmann::json;

/// A host that records what the reader asks of the window and answers the drop-frame question
/// with `secondButton`.
class RecordingHost : public ReaderHost {
public:
    void startProgress(double maxValue) override {
        ++starts;
        maximum = maxValue;
        value = 0.5;
    }
    void updateProgress(double incrementBy) override { value += incrementBy; }
    void showAlert(const std::string& messageText, const std::string& informativeText) override {
        alerts.emplace_back(messageText, informativeText);
    }
    bool askYesNo(const std::string&, const std::string&) override { return secondButton; }
    bool askQuestion(const std::string& messageText, const std::string& informativeText,
                     const std::string& firstButton, const std::string& second) override {
        questions.push_back({messageText, informativeText, firstButton, second});
        return secondButton;
    }
    void setInputType(InputType type) override { inputType = type; }
    void logDiagnostic(const std::string& line) override { diagnostics.push_back(line); }
    void showWarning(const std::string& line) override { warnings.push_back(line); }

    bool secondButton = false;
    int starts = 0;
    double maximum = 0;
    double value = 0;
    InputType inputType = InputType::null;
    std::vector<std::pair<std::string, std::string>> alerts;
    std::vector<std::vector<std::string>> questions;
    std::vector<std::string> diagnostics;
    std::vector<std::string> warnings;
};

/// Media probing without media: answers from a table by path and counts what it was asked.
struct FakeProber {
    std::map<std::filesystem::path, MediaFileProbe> answers;
    std::vector<std::filesystem::path> asked;

    MediaFileProber prober() {
        return [this](const std::vector<std::filesystem::path>& paths) {
            std::vector<MediaFileProbe> probes;
            for (const std::filesystem::path& path : paths) {
                asked.push_back(path);
                const auto found = answers.find(path);
                probes.push_back(found == answers.end() ? MediaFileProbe{1, std::nullopt, "unknown"}
                                                        : found->second);
            }
            return probes;
        };
    }
};

/// One import of a document: the store, the host and the result.
struct Imported {
    ModelContext store;
    RecordingHost host;
    FakeProber media;
    bool imported = false;

    Composition& sequence() { return *store.fetchAll<Composition>().at(0); }
    std::vector<StoryElement*>& videoItems(std::size_t track = 0) {
        return sequence().videoTracks.at(track)->elements;
    }
    std::vector<StoryElement*>& audioItems(std::size_t track = 0) {
        return sequence().audioTracks.at(track)->elements;
    }
    std::vector<Asset*> assets() { return store.fetchAll<Asset>(); }
};

/// Options of one import.
struct ImportOptions {
    std::optional<bool> dropFrame;
    bool secondButton = false;
    std::string fileName = "cut.otio";
    std::map<std::filesystem::path, MediaFileProbe> media;
};

/// Options that answer the drop-frame question (true: "Drop Frame") or give the hint.
inline ImportOptions answering(bool secondButton, std::optional<bool> hint = std::nullopt) {
    ImportOptions options;
    options.secondButton = secondButton;
    options.dropFrame = hint;
    return options;
}

/// Options whose media probing answers from the table.
inline ImportOptions probing(std::map<std::filesystem::path, MediaFileProbe> media) {
    ImportOptions options;
    options.media = std::move(media);
    return options;
}

inline std::unique_ptr<Imported> importBytes(const std::string& bytes,
                                             const ImportOptions& options = {}) {
    auto imported = std::make_unique<Imported>();
    imported->host.secondButton = options.secondButton;
    imported->media.answers = options.media;
    imported->imported =
        processOTIODocument(imported->store, bytes, options.fileName, options.dropFrame, 100.0,
                            2000.0, imported->host, imported->media.prober());
    return imported;
}

inline std::unique_ptr<Imported> importDocument(const json& document,
                                                const ImportOptions& options = {}) {
    return importBytes(document.dump(), options);
}

// Document builders: the smallest records the decoder takes.

inline json rationalTime(double value, double rate) {
    return {{"OTIO_SCHEMA", "RationalTime.1"}, {"rate", rate}, {"value", value}};
}

inline json timeRange(double start, double duration, double rate) {
    return {{"OTIO_SCHEMA", "TimeRange.1"},
            {"start_time", rationalTime(start, rate)},
            {"duration", rationalTime(duration, rate)}};
}

/// An external media reference at `url` whose available range starts at `start`.
inline json externalMedia(const std::string& url, double start = 0, double rate = 24) {
    return {{"OTIO_SCHEMA", "ExternalReference.1"},
            {"target_url", url},
            {"available_range", timeRange(start, 100000, rate)}};
}

/// A clip of `duration` frames from `sourceStart`, playing the media at `url` (none for "").
inline json clip(const std::string& name, const std::string& url, double sourceStart,
                 double duration, double rate = 24) {
    json item = {{"OTIO_SCHEMA", "Clip.2"},
                 {"name", name},
                 {"source_range", timeRange(sourceStart, duration, rate)}};
    if (!url.empty()) {
        item["media_references"] = {{"DEFAULT_MEDIA", externalMedia(url, 0, rate)}};
    }
    return item;
}

inline json gap(double duration, double rate = 24) {
    return {{"OTIO_SCHEMA", "Gap.1"}, {"name", ""}, {"source_range", timeRange(0, duration, rate)}};
}

inline json transition(double inOffset, double outOffset, double rate = 24) {
    return {{"OTIO_SCHEMA", "Transition.1"},
            {"name", "Cross Dissolve"},
            {"in_offset", rationalTime(inOffset, rate)},
            {"out_offset", rationalTime(outOffset, rate)}};
}

inline json track(const std::string& kind, json items, const std::string& name = "") {
    return {{"OTIO_SCHEMA", "Track.1"}, {"name", name}, {"kind", kind}, {"children", items}};
}

/// A timeline with these top-level children, starting at `start` frames at `rate` (no
/// "global_start_time" when the rate is 0).
inline json timeline(json tracks, double rate = 24, double start = 0,
                     const std::string& name = "Cut") {
    json document = {{"OTIO_SCHEMA", "Timeline.1"},
                     {"metadata", json::object()},
                     {"name", name},
                     {"tracks", {{"OTIO_SCHEMA", "Stack.1"}, {"name", ""}, {"children", tracks}}}};
    if (rate != 0) {
        document["global_start_time"] = rationalTime(start, rate);
    }
    return document;
}

} // namespace marrowvale::testing
