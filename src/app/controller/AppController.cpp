#include "app/controller/AppController.h"

#include "app/InputFile.h"
#include "app/ReportOptionsReader.h"
#include "app/TextUtilities.h"
#include "model/ModelContext.h"

#include <algorithm>
#include <exception>
#include <fmt/format.h>

namespace marrowvale {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view executableName = "Marrowvale";
constexpr std::string_view helpPage = "https://marrowvale.app/help";
constexpr std::string_view productPage = "https://marrowvale.app";
constexpr std::string_view contactPage = "https://marrowvale.app/contact";
constexpr std::string_view supportMailbox = "support@marrowvale.app";
constexpr std::string_view supportBody =
    "What went wrong?\n\n\nAttached is the file that caused the problem:\n\n\n";

// The extension as the platform names it: the text after the last dot of the file name.
std::string pathExtension(const fs::path& file) {
    std::string name = file.filename().string();
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) {
        return {};
    }
    return name.substr(dot + 1);
}

} // namespace

class AppController::BusyScope {
public:
    explicit BusyScope(AppController& controller) : controller_(controller) {
        controller_.busy_ = true;
        controller_.window_.setBusy(true);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    ~BusyScope() {
        controller_.busy_ = false;
        controller_.window_.setBusy(false);
    }

private:
    AppController& controller_;
};

AppController::AppController(MainWindowView& window, SettingsView& settings, AppServices services,
                             std::optional<fs::path> layoutsFile)
    : window_(window), settings_(settings), services_(std::move(services)),
      layoutsFile_(std::move(layoutsFile)),
      layoutEditor_(settings, [this](const std::string& line) { logDiagnostic(line); }) {}

void AppController::applicationDidFinishLaunching() {
    // Linux has no separate professional decoders to register: the media library decodes
    // what it can from the start.
    window_.setProgressIndeterminate(true);
    window_.setProgressAnimating(false);
    window_.setInputFile("", FileIcon::none);
    if (std::optional<std::string> problem = layoutEditor_.loadLayouts(layoutsFile_)) {
        // Said once, here: otherwise a missing layout would be all the user ever hears.
        window_.showWarning(*problem);
    }
    logDiagnostic("Use RAM for storage? true");
}

void AppController::applicationWillTerminate() {
    requestStop(StopRequest::quitting);
    clearStore();
}

bool AppController::requestStop(int reason) noexcept {
    stop_.request(reason);
    return writingReport_.load();
}

void AppController::clickOpenFile() {
    if (busy_) {
        return refuseWhileBusy();
    }
    if (std::optional<fs::path> file = window_.chooseInputFile()) {
        openInputFiles({*file});
    }
}

void AppController::openInputFiles(const std::vector<fs::path>& files) {
    if (busy_) {
        return refuseWhileBusy();
    }
    if (files.empty()) {
        return;
    }
    clearStore();
    sequenceMenu_.clear();
    menuSeparators_.clear();
    window_.setSequenceMenuItems(sequenceMenu_);
    videoRows_.clear();
    audioRows_.clear();
    analyzedTitle_.reset();
    window_.setTrackRows(TrackKind::video, videoRows_);
    window_.setTrackRows(TrackKind::audio, audioRows_);
    window_.setAnalysisControlsEnabled(false);

    const fs::path& file = files.front();
    inputFile_ = file;
    std::string extension = pathExtension(file);
    FileIcon icon = FileIcon::none;
    if (auto kind = columnSetKindForExtension(extension)) {
        importState_.columnSetKind = *kind;
        icon = extension == "xml" ? FileIcon::xml : FileIcon::otio;
    }
    window_.setInputFile(file.filename().string(), icon);

    if (importInputFile(file)) {
        fillSequenceMenu();
        window_.setProgressIndeterminate(true);
        window_.setProgressAnimating(false);
        if (sequenceMenu_.size() == 1) {
            analyzeSelectedSequence();
        }
    } else {
        logDiagnostic("failed parsing the file");
    }
}

bool AppController::importInputFile(const fs::path& file) {
    BusyScope busy(*this);
    // One box for them all: a timeline can raise several, and each box would wait for the user.
    importWarnings_.emplace();
    bool imported = false;
    try {
        imported = readInputFile(file);
    } catch (...) {
        importWarnings_.reset();
        throw;
    }
    showImportWarnings();
    importWarnings_.reset();
    return imported;
}

void AppController::showImportWarnings() {
    if (!importWarnings_ || importWarnings_->empty()) {
        return;
    }
    const std::vector<std::string> lines = std::move(*importWarnings_);
    importWarnings_->clear();
    window_.showWarnings(lines);
}

bool AppController::readInputFile(const fs::path& file) {
    window_.setProgressIndeterminate(true);
    window_.setProgressAnimating(true);
    std::string extension = pathExtension(file);
    std::string fileName = file.filename().string();
    // Only a regular file of a sane size is read: a pipe or a device would be waited on or
    // read forever.
    std::optional<InputFile> input;
    if (extension == "otio" || extension == "xml") {
        try {
            input.emplace(file, InputFile::timelineSizeLimit);
        } catch (const InputFileError& error) {
            showAlert(fmt::format("The file \u201c{}\u201d couldn\u2019t be opened.", fileName),
                      error.what());
            return false;
        }
    }
    try {
        if (extension == "otio") {
            if (!services_.processOTIO) {
                showAlert("This file type is not available",
                          "This build of Marrowvale cannot read OpenTimelineIO (.otio) files.");
                return false;
            }
            services_.processOTIO(store(), file, std::nullopt, 100.0, 2000.0, *this);
            return true;
        }
        if (extension == "xml") {
            if (!services_.processXMEML) {
                showAlert("This file type is not available",
                          "This build of Marrowvale cannot read XMEML (.xml) files.");
                return false;
            }
            if (std::optional<InputType> type = services_.processXMEML(store(), *input, *this)) {
                importState_.inputType = *type;
            }
            return true;
        }
    } catch (const std::exception& error) {
        // A reader must never leave a half-built timeline behind.
        clearStore();
        showAlert(fmt::format("The file \u201c{}\u201d could not be imported.", fileName),
                  error.what());
        return false;
    }
    logDiagnostic("wot the bloody hell is all this then?");
    showAlert(fmt::format("The file \u201c{}\u201d cannot be opened.", fileName),
              "Marrowvale reads XMEML files (.xml) and OpenTimelineIO files (.otio).");
    return false;
}

void AppController::clearStore() {
    ModelContext& context = store();
    context.deleteAllModels();
    if (context.hasChanges()) {
        context.save();
    }
}

bool AppController::isSequenceMenuSeparator(std::size_t index) const {
    return std::find(menuSeparators_.begin(), menuSeparators_.end(), index) !=
           menuSeparators_.end();
}

void AppController::fillSequenceMenu() {
    std::vector<EventBin*> bins = store().fetchBinsSortedByName(TextComparison::localizedStandard);
    if (bins.empty()) {
        logDiagnostic("NO EVENTS");
        return;
    }
    // Every bin's sequences, bin by bin, then the bins' master clips as one entry.
    bool hasBinClips = false;
    for (const EventBin* bin : bins) {
        hasBinClips = hasBinClips || !bin->clips.empty();
        if (bin->storyCompositions.empty()) {
            continue;
        }
        if (!sequenceMenu_.empty()) {
            menuSeparators_.push_back(sequenceMenu_.size());
            sequenceMenu_.emplace_back("---");
        }
        for (const Composition* composition : bin->storyCompositions) {
            if (composition) {
                sequenceMenu_.push_back(composition->name);
            }
        }
    }
    if (hasBinClips) {
        if (!sequenceMenu_.empty()) {
            menuSeparators_.push_back(sequenceMenu_.size());
            sequenceMenu_.emplace_back("---");
        }
        sequenceMenu_.emplace_back(binClipsTitle);
    }
    window_.setSequenceMenuItems(sequenceMenu_);
    selectedTitle_ = selectedSequenceTitle();
}

void AppController::clickAnalyzeButton() {
    if (busy_) {
        return refuseWhileBusy();
    }
    analyzeSelectedSequence();
}

void AppController::analyzeSelectedSequence() {
    selectedTitle_ = selectedSequenceTitle();
    videoRows_.clear();
    audioRows_.clear();
    listTracksOfSelectedSequence();
    analyzedTitle_ = selectedTitle_;
    window_.setTrackRows(TrackKind::video, videoRows_);
    window_.setTrackRows(TrackKind::audio, audioRows_);
    window_.setAnalysisControlsEnabled(true);
}

void AppController::listTracksOfSelectedSequence() {
    if (selectedTitle_ == binClipsTitle) {
        return;
    }
    Composition* composition = store().fetchComposition(selectedTitle_);
    if (!composition) {
        logDiagnostic("cannot find sequence");
        return;
    }
    std::vector<VideoTrack*> videoTracks = composition->videoTracks;
    sortTracks(videoTracks);
    for (const VideoTrack* track : videoTracks) {
        if (track) {
            videoRows_.push_back({track->name, true, track->trackIdx});
        }
    }
    std::vector<AudioTrack*> audioTracks = composition->audioTracks;
    sortTracks(audioTracks);
    for (const AudioTrack* track : audioTracks) {
        if (track) {
            audioRows_.push_back({track->name, true, track->trackIdx});
        }
    }
}

std::string AppController::selectedSequenceTitle() const {
    int index = window_.selectedSequenceIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= sequenceMenu_.size()) {
        return {};
    }
    return sequenceMenu_[static_cast<std::size_t>(index)];
}

const std::vector<TrackRow>& AppController::trackRows(TrackKind kind) const {
    return kind == TrackKind::video ? videoRows_ : audioRows_;
}

std::vector<TrackRow>& AppController::rowsOf(TrackKind kind) {
    return kind == TrackKind::video ? videoRows_ : audioRows_;
}

void AppController::setTrackChecked(TrackKind kind, std::size_t row, bool checked) {
    std::vector<TrackRow>& rows = rowsOf(kind);
    if (row < rows.size()) {
        rows[row].isChecked = checked;
    }
}

void AppController::setAllTracksChecked(TrackKind kind, bool checked) {
    for (TrackRow& row : rowsOf(kind)) {
        row.isChecked = checked;
    }
    window_.setTrackRows(kind, rowsOf(kind));
}

ReportRequest AppController::makeReportRequest() {
    ReportRequest request;
    for (SheetKey key : allSheetKeys) {
        if (window_.sheetSwitchOn(key)) {
            request.sheetKeys.push_back(key);
        }
    }
    request.options = reportOptions(settings_);
    request.sequenceTitle = selectedSequenceTitle();
    request.reportName = request.sequenceTitle + " - " +
                         layoutEditor_.selectedLayoutName(LayoutMenu::app) + " Report";

    // The track tables count only when they show the sequence being reported.
    if (analyzedTitle_ == request.sequenceTitle && request.sequenceTitle != binClipsTitle) {
        request.tracks.allTracks = false;
        for (const TrackRow& row : videoRows_) {
            if (row.isChecked) {
                request.tracks.videoTrackIndexes.push_back(row.trackIdx);
            }
        }
        for (const TrackRow& row : audioRows_) {
            if (row.isChecked) {
                request.tracks.audioTrackIndexes.push_back(row.trackIdx);
            }
        }
    }
    request.importState = importState_;
    return request;
}

void AppController::clickSaveButton() {
    if (busy_) {
        return refuseWhileBusy();
    }
    ReportRequest request = makeReportRequest();
    selectedTitle_ = request.sequenceTitle;
    runReportWriter(request);
}

void AppController::runReportWriter(const ReportRequest& request) {
    if (!services_.createXLSX) {
        window_.showAlert("Reports are not available",
                          "This build of Marrowvale cannot write report workbooks.");
        return;
    }
    BusyScope busy(*this);
    writingReport_ = true;
    try {
        services_.createXLSX(store(), request, *this);
    } catch (const TaskStopped&) {
        // Stopped on request: nothing to tell.
    } catch (const std::exception& error) {
        showAlert("The report could not be written.", error.what());
    }
    writingReport_ = false;
    window_.setProgressAnimating(false);
}

void AppController::refuseWhileBusy() {
    logDiagnostic("busy: an import or a report is still running");
}

void AppController::startProgress(double maxValue) {
    window_.setProgressIndeterminate(false);
    window_.setProgressValue(0.5);
    window_.setProgressMaximum(maxValue);
}

void AppController::updateProgress(double incrementBy) {
    window_.setProgressValue(window_.progressValue() + incrementBy);
}

void AppController::showAlert(const std::string& messageText, const std::string& informativeText) {
    // Said before the alert that ends the import, as they came.
    showImportWarnings();
    window_.setProgressIndeterminate(true);
    window_.setProgressAnimating(false);
    window_.showAlert(validUTF8(messageText), validUTF8(informativeText));
}

void AppController::showDetailedAlert(const std::string& messageText,
                                      const std::string& informativeText,
                                      const std::string& detailText) {
    showImportWarnings();
    window_.setProgressIndeterminate(true);
    window_.setProgressAnimating(false);
    window_.showDetailedAlert(validUTF8(messageText), validUTF8(informativeText),
                              validUTF8(detailText));
}

bool AppController::askYesNo(const std::string& messageText, const std::string& informativeText) {
    return window_.askYesNo(validUTF8(messageText), validUTF8(informativeText));
}

bool AppController::askQuestion(const std::string& messageText, const std::string& informativeText,
                                const std::string& firstButton, const std::string& secondButton) {
    return window_.askQuestion(validUTF8(messageText), validUTF8(informativeText),
                               validUTF8(firstButton), validUTF8(secondButton));
}

std::optional<std::string> AppController::chooseReportDestination(const std::string& reportName) {
    std::optional<std::string> destination = window_.chooseReportDestination(reportName);
    // The same file under another name (a link, "./", another spelling of its folder) counts
    // too: replacing it would lose the timeline the report is made from.
    std::error_code status;
    if (destination && !inputFile_.empty() && fs::equivalent(*destination, inputFile_, status)) {
        showAlert("The report cannot replace the timeline it is made from",
                  fmt::format("\u201c{}\u201d is the opened file. Choose another name for the "
                              "report.",
                              fs::path(*destination).filename().string()));
        return std::nullopt;
    }
    if (destination) {
        // The workbook is written from here on.
        window_.setProgressIndeterminate(true);
        window_.setProgressAnimating(true);
    }
    return destination;
}

void AppController::showWarning(const std::string& line) {
    if (importWarnings_) {
        importWarnings_->push_back(validUTF8(line));
        return;
    }
    window_.showWarning(validUTF8(line));
}

void AppController::openFinishedReport(const std::string& path) {
    window_.openFinishedReport(path);
}

void AppController::openThumbnailsFolder(const std::string& folder) {
    window_.openThumbnailsFolder(folder);
}

void AppController::showHelp() {
    window_.openUrl(std::string(helpPage));
}

void AppController::visitWebsite() {
    window_.openUrl(std::string(productPage));
}

std::string AppController::supportSubject(const std::string& executable,
                                          const std::string& version) {
    return "Bug Report for " + executable + " (version " + version + ")";
}

std::string AppController::percentEncoded(std::string_view text) {
    std::string encoded;
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                          (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' ||
                          byte == '_' || byte == '~';
        if (unreserved) {
            encoded += c;
        } else {
            encoded += fmt::format("%{:02X}", byte);
        }
    }
    return encoded;
}

void AppController::emailSupport() {
    std::string subject = supportSubject(std::string(executableName), MARROWVALE_VERSION);
    std::string address = fmt::format("mailto:{}?subject={}&body={}", supportMailbox,
                                      percentEncoded(subject), percentEncoded(supportBody));
    if (!window_.openUrl(address)) {
        window_.openUrl(std::string(contactPage));
    }
}

void AppController::checkMediaFormats() {
    if (!services_.describeMediaFormats) {
        window_.showAlert("No media library is available",
                          "Thumbnails, audio tags and frame rates of media files cannot be read "
                          "in this build of Marrowvale.");
        return;
    }
    MediaFormatSummary summary = services_.describeMediaFormats();
    window_.showAlert(validUTF8(summary.messageText), validUTF8(summary.informativeText));
}

void AppController::showAboutThumbnails() {
    window_.showAlert("Thumbnail images can only be created from media that is online and that "
                      "the media library can decode",
                      "Check Media Formats in the Help menu lists what can be decoded.");
}

void AppController::showSettingsWindow() {
    settings_.showSettingsWindow();
}

} // namespace marrowvale
