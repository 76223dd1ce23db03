#include "app/controller/AppController.h"

#include "app/InputFile.h"
#include "app/ReportOptionsReader.h"
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
    if (dot == std::string::npos || dot == 0)
        return {};
    return name.substr(dot + 1);
}

} // namespace

class AppController::BusyScope {
public:
    explicit BusyScope(AppController& controller) : _controller(controller) {
        _controller._busy = true;
        _controller._window.setBusy(true);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    ~BusyScope() {
        _controller._busy = false;
        _controller._window.setBusy(false);
    }

private:
    AppController& _controller;
};

AppController::AppController(MainWindowView& window, SettingsView& settings, AppServices services,
                             std::optional<fs::path> layoutsFile)
    : _window(window), _settings(settings), _services(std::move(services)),
      _layoutsFile(std::move(layoutsFile)),
      _layoutEditor(settings, [this](const std::string& line) { logDiagnostic(line); }) {}

void AppController::applicationDidFinishLaunching() {
    // Linux has no separate professional decoders to register: the media library decodes
    // what it can from the start.
    _window.setProgressIndeterminate(true);
    _window.setProgressAnimating(false);
    _window.setInputFile("", FileIcon::none);
    if (std::optional<std::string> problem = _layoutEditor.loadLayouts(_layoutsFile)) {
        // Said once, here: otherwise a missing layout would be all the user ever hears.
        _window.showWarning(*problem + " No saved layouts are available.");
    }
    logDiagnostic("Use RAM for storage? true");
}

void AppController::applicationWillTerminate() {
    requestStop(StopRequest::quitting);
    clearStore();
}

bool AppController::requestStop(int reason) noexcept {
    _stop.request(reason);
    return _writingReport.load();
}

void AppController::clickOpenFile() {
    if (_busy)
        return refuseWhileBusy();
    if (std::optional<fs::path> file = _window.chooseInputFile())
        openInputFiles({*file});
}

void AppController::openInputFiles(const std::vector<fs::path>& files) {
    if (_busy)
        return refuseWhileBusy();
    if (files.empty())
        return;
    clearStore();
    _sequenceMenu.clear();
    _menuSeparators.clear();
    _window.setSequenceMenuItems(_sequenceMenu);
    _videoRows.clear();
    _audioRows.clear();
    _analyzedTitle.reset();
    _window.setTrackRows(TrackKind::video, _videoRows);
    _window.setTrackRows(TrackKind::audio, _audioRows);
    _window.setAnalysisControlsEnabled(false);

    const fs::path& file = files.front();
    _inputFile = file;
    std::string extension = pathExtension(file);
    FileIcon icon = FileIcon::none;
    if (auto kind = columnSetKindForExtension(extension)) {
        _importState.columnSetKind = *kind;
        icon = extension == "xml" ? FileIcon::xml : FileIcon::otio;
    }
    _window.setInputFile(file.filename().string(), icon);

    if (importInputFile(file)) {
        fillSequenceMenu();
        _window.setProgressIndeterminate(true);
        _window.setProgressAnimating(false);
        if (_sequenceMenu.size() == 1)
            analyzeSelectedSequence();
    } else {
        logDiagnostic("failed parsing the file");
    }
}

bool AppController::importInputFile(const fs::path& file) {
    BusyScope busy(*this);
    _window.setProgressIndeterminate(true);
    _window.setProgressAnimating(true);
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
            if (!_services.processOTIO) {
                showAlert("This file type is not available",
                          "This build of Marrowvale cannot read OpenTimelineIO (.otio) files.");
                return false;
            }
            _services.processOTIO(store(), file, std::nullopt, 100.0, 2000.0, *this);
            return true;
        }
        if (extension == "xml") {
            if (!_services.processXMEML) {
                showAlert("This file type is not available",
                          "This build of Marrowvale cannot read XMEML (.xml) files.");
                return false;
            }
            if (std::optional<InputType> type = _services.processXMEML(store(), *input, *this))
                _importState.inputType = *type;
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
    if (context.hasChanges())
        context.save();
}

bool AppController::isSequenceMenuSeparator(std::size_t index) const {
    return std::find(_menuSeparators.begin(), _menuSeparators.end(), index) !=
           _menuSeparators.end();
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
        if (bin->storyCompositions.empty())
            continue;
        if (!_sequenceMenu.empty()) {
            _menuSeparators.push_back(_sequenceMenu.size());
            _sequenceMenu.emplace_back("---");
        }
        for (const Composition* composition : bin->storyCompositions) {
            if (composition)
                _sequenceMenu.push_back(composition->name);
        }
    }
    if (hasBinClips) {
        if (!_sequenceMenu.empty()) {
            _menuSeparators.push_back(_sequenceMenu.size());
            _sequenceMenu.emplace_back("---");
        }
        _sequenceMenu.emplace_back(binClipsTitle);
    }
    _window.setSequenceMenuItems(_sequenceMenu);
    _selectedTitle = selectedSequenceTitle();
}

void AppController::clickAnalyzeButton() {
    if (_busy)
        return refuseWhileBusy();
    analyzeSelectedSequence();
}

void AppController::analyzeSelectedSequence() {
    _selectedTitle = selectedSequenceTitle();
    _videoRows.clear();
    _audioRows.clear();
    listTracksOfSelectedSequence();
    _analyzedTitle = _selectedTitle;
    _window.setTrackRows(TrackKind::video, _videoRows);
    _window.setTrackRows(TrackKind::audio, _audioRows);
    _window.setAnalysisControlsEnabled(true);
}

void AppController::listTracksOfSelectedSequence() {
    if (_selectedTitle == binClipsTitle)
        return;
    Composition* composition = store().fetchComposition(_selectedTitle);
    if (!composition) {
        logDiagnostic("cannot find sequence");
        return;
    }
    std::vector<VideoTrack*> videoTracks = composition->videoTracks;
    sortTracks(videoTracks);
    for (const VideoTrack* track : videoTracks) {
        if (track)
            _videoRows.push_back({track->name, true, track->trackIdx});
    }
    std::vector<AudioTrack*> audioTracks = composition->audioTracks;
    sortTracks(audioTracks);
    for (const AudioTrack* track : audioTracks) {
        if (track)
            _audioRows.push_back({track->name, true, track->trackIdx});
    }
}

std::string AppController::selectedSequenceTitle() const {
    int index = _window.selectedSequenceIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= _sequenceMenu.size())
        return {};
    return _sequenceMenu[static_cast<std::size_t>(index)];
}

const std::vector<TrackRow>& AppController::trackRows(TrackKind kind) const {
    return kind == TrackKind::video ? _videoRows : _audioRows;
}

std::vector<TrackRow>& AppController::rowsOf(TrackKind kind) {
    return kind == TrackKind::video ? _videoRows : _audioRows;
}

void AppController::setTrackChecked(TrackKind kind, std::size_t row, bool checked) {
    std::vector<TrackRow>& rows = rowsOf(kind);
    if (row < rows.size())
        rows[row].isChecked = checked;
}

void AppController::setAllTracksChecked(TrackKind kind, bool checked) {
    for (TrackRow& row : rowsOf(kind))
        row.isChecked = checked;
    _window.setTrackRows(kind, rowsOf(kind));
}

ReportRequest AppController::makeReportRequest() {
    ReportRequest request;
    for (SheetKey key : allSheetKeys) {
        if (_window.sheetSwitchOn(key)) {
            request.sheetKeys.push_back(key);
        }
    }
    request.options = reportOptions(_settings);
    request.sequenceTitle = selectedSequenceTitle();
    request.reportName = request.sequenceTitle + " - " +
                         _layoutEditor.selectedLayoutName(LayoutMenu::app) + " Report";

    // The track tables count only when they show the sequence being reported.
    if (_analyzedTitle == request.sequenceTitle && request.sequenceTitle != binClipsTitle) {
        request.tracks.allTracks = false;
        for (const TrackRow& row : _videoRows) {
            if (row.isChecked)
                request.tracks.videoTrackIndexes.push_back(row.trackIdx);
        }
        for (const TrackRow& row : _audioRows) {
            if (row.isChecked)
                request.tracks.audioTrackIndexes.push_back(row.trackIdx);
        }
    }
    request.importState = _importState;
    return request;
}

void AppController::clickSaveButton() {
    if (_busy)
        return refuseWhileBusy();
    ReportRequest request = makeReportRequest();
    _selectedTitle = request.sequenceTitle;
    runReportWriter(request);
}

void AppController::runReportWriter(const ReportRequest& request) {
    if (!_services.createXLSX) {
        _window.showAlert("Reports are not available",
                          "This build of Marrowvale cannot write report workbooks.");
        return;
    }
    BusyScope busy(*this);
    _writingReport = true;
    try {
        _services.createXLSX(store(), request, *this);
    } catch (const TaskStopped&) {
        // Stopped on request: nothing to tell.
    } catch (const std::exception& error) {
        showAlert("The report could not be written.", error.what());
    }
    _writingReport = false;
    _window.setProgressAnimating(false);
}

void AppController::refuseWhileBusy() {
    logDiagnostic("busy: an import or a report is still running");
}

void AppController::startProgress(double maxValue) {
    _window.setProgressIndeterminate(false);
    _window.setProgressValue(0.5);
    _window.setProgressMaximum(maxValue);
}

void AppController::updateProgress(double incrementBy) {
    _window.setProgressValue(_window.progressValue() + incrementBy);
}

void AppController::showAlert(const std::string& messageText, const std::string& informativeText) {
    _window.setProgressIndeterminate(true);
    _window.setProgressAnimating(false);
    _window.showAlert(messageText, informativeText);
}

void AppController::showDetailedAlert(const std::string& messageText,
                                      const std::string& informativeText,
                                      const std::string& detailText) {
    _window.setProgressIndeterminate(true);
    _window.setProgressAnimating(false);
    _window.showDetailedAlert(messageText, informativeText, detailText);
}

bool AppController::askYesNo(const std::string& messageText, const std::string& informativeText) {
    return _window.askYesNo(messageText, informativeText);
}

bool AppController::askQuestion(const std::string& messageText,
                                const std::string& informativeText, const std::string& firstButton,
                                const std::string& secondButton) {
    return _window.askQuestion(messageText, informativeText, firstButton, secondButton);
}

std::optional<std::string> AppController::chooseReportDestination(const std::string& reportName) {
    std::optional<std::string> destination = _window.chooseReportDestination(reportName);
    // The same file under another name (a link, "./", another spelling of its folder) counts
    // too: replacing it would lose the timeline the report is made from.
    std::error_code status;
    if (destination && !_inputFile.empty() && fs::equivalent(*destination, _inputFile, status)) {
        showAlert("The report cannot replace the timeline it is made from",
                  fmt::format("\u201c{}\u201d is the opened file. Choose another name for the "
                              "report.",
                              fs::path(*destination).filename().string()));
        return std::nullopt;
    }
    if (destination) {
        // The workbook is written from here on.
        _window.setProgressIndeterminate(true);
        _window.setProgressAnimating(true);
    }
    return destination;
}

void AppController::openFinishedReport(const std::string& path) {
    _window.openFinishedReport(path);
}

void AppController::showHelp() {
    _window.openUrl(std::string(helpPage));
}

void AppController::visitWebsite() {
    _window.openUrl(std::string(productPage));
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
        if (unreserved)
            encoded += c;
        else
            encoded += fmt::format("%{:02X}", byte);
    }
    return encoded;
}

void AppController::emailSupport() {
    std::string subject = supportSubject(std::string(executableName), MARROWVALE_VERSION);
    std::string address = fmt::format("mailto:{}?subject={}&body={}", supportMailbox,
                                      percentEncoded(subject), percentEncoded(supportBody));
    if (!_window.openUrl(address))
        _window.openUrl(std::string(contactPage));
}

void AppController::checkMediaFormats() {
    if (!_services.describeMediaFormats) {
        _window.showAlert("No media library is available",
                          "Thumbnails, audio tags and frame rates of media files cannot be read "
                          "in this build of Marrowvale.");
        return;
    }
    MediaFormatSummary summary = _services.describeMediaFormats();
    _window.showAlert(summary.messageText, summary.informativeText);
}

void AppController::showAboutThumbnails() {
    _window.showAlert("Thumbnail images can only be created from media that is online and that "
                      "the media library can decode",
                      "Check Media Formats in the Help menu lists what can be decoded.");
}

void AppController::showSettingsWindow() {
    _settings.showSettingsWindow();
}

} // namespace marrowvale
