#pragma once

#include "app/ReportHost.h"
#include "app/ReportOptions.h"
#include "app/StopRequest.h"
#include "model/ModelContext.h"
#include "report/MediaProbe.h"
#include "support/ScratchFolder.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <utility>
#include <vector>

namespace marrowvale {
class Asset;
class Composition;
class StoryElement;
} // namespace marrowvale

namespace marrowvale::testing {

/// A 25 fps sequence "Reel 1": a clip at 0 for 250 frames from source 90000 on V1, a title on
/// V2, the sound of the clip on A1 and a music file on A2.
struct DemoTimeline {
    ModelContext store;
    Composition* sequence = nullptr;
    StoryElement* clip = nullptr;
    StoryElement* title = nullptr;
    StoryElement* clipSound = nullptr;
    StoryElement* music = nullptr;

    DemoTimeline();

    /// A media file asset.
    Asset* makeAsset(const std::string& path, int category, const std::string& audioRate = "");
};

/// When a host was asked to keep its window responsive, and on which thread.
using HostTurns = std::vector<std::pair<std::chrono::steady_clock::time_point, std::thread::id>>;

/// A window that answers the save panel with `destination`, records alerts, warnings, panels,
/// the reports it was asked to open and its turns, and raises its stop request when a test
/// says so.
class FakeReportHost final : public ReportHost {
public:
    std::optional<std::string> destination;
    std::vector<std::string> alerts;
    std::vector<std::string> informativeTexts;
    std::vector<std::string> panels;
    std::vector<std::string> opened;
    std::vector<std::string> warnings;
    HostTurns turns;
    StopRequest stop;

    void startProgress(double) override {}
    void updateProgress(double) override {}
    void showAlert(const std::string& messageText, const std::string& informativeText) override {
        alerts.push_back(messageText);
        informativeTexts.push_back(informativeText);
    }
    void showWarning(const std::string& line) override { warnings.push_back(line); }
    const StopRequest* stopRequest() const override { return &stop; }
    void keepResponsive() override {
        turns.emplace_back(std::chrono::steady_clock::now(), std::this_thread::get_id());
    }
    bool askYesNo(const std::string&, const std::string&) override { return true; }
    std::optional<std::string> chooseReportDestination(const std::string& reportName) override {
        panels.push_back(reportName);
        return destination;
    }
    void openFinishedReport(const std::string& path) override { opened.push_back(path); }
    void openThumbnailsFolder(const std::string& folder) override { opened.push_back(folder); }
};

/// Media probing with answers chosen by clip name; records what was asked.
class FakeMediaProbe final : public MediaProbe {
public:
    std::map<std::string, ThumbnailResult> thumbnails;
    std::map<std::string, ID3Fields> tags;
    std::vector<std::string> thumbnailRequests;
    std::vector<std::string> tagRequests;
    std::filesystem::path lastFolder;
    /// When true, a thumbnail answer's text is a file name to create as a picture in the folder.
    bool writePictures = false;
    /// Called with each clip a thumbnail is asked for, before the answer.
    std::function<void(const StoryElement&)> whenAsked;

    std::vector<std::optional<ThumbnailResult>>
    makeThumbnails(const std::vector<ThumbnailRequest>& requests,
                   const std::filesystem::path& folder, const StopRequest* stop) override;
    std::optional<ID3Fields> readAudioMetadata(const StoryElement& clip) override;
};

/// While it lives, no file of this process can grow beyond `bytes`: a write past it fails with
/// EFBIG, much as on a nearly full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit();

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

/// Writes a tiny JPEG (32 x 16 pixels as far as its header says) to `path`.
void writeTinyJpeg(const std::filesystem::path& path);

/// Options with the given flags, thumbnail width 0 and no adjustments.
ReportOptions optionsWith(std::map<std::string, bool, std::less<>> flags,
                          std::int64_t thumbnailWidth = 0);

} // namespace marrowvale::testing
