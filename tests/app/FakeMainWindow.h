#pragma once

#include "app/controller/MainWindowView.h"

#include <functional>
#include <string>
#include <vector>

namespace marrowvale::testing {

// A main window that records what the controller shows and answers its panels and questions
// with canned values.
class FakeMainWindow : public MainWindowView {
public:
    struct Alert {
        std::string message;
        std::string informative;
    };

    void setProgressIndeterminate(bool value) override { progressIndeterminate = value; }
    void setProgressAnimating(bool value) override { progressAnimating = value; }
    void setProgressMaximum(double value) override { progressMaximum = value; }
    void setProgressValue(double value) override { progress = value; }
    double progressValue() const override { return progress; }
    void setInputFile(const std::string& name, FileIcon fileIcon) override {
        fileName = name;
        icon = fileIcon;
    }
    void setSequenceMenuItems(const std::vector<std::string>& titles) override {
        sequenceMenu = titles;
        selectedSequence = titles.empty() ? -1 : 0;
    }
    int selectedSequenceIndex() const override { return selectedSequence; }
    void setTrackRows(TrackKind kind, const std::vector<TrackRow>& rows) override {
        (kind == TrackKind::video ? videoRows : audioRows) = rows;
    }
    void setAnalysisControlsEnabled(bool enabled) override { analysisControlsEnabled = enabled; }
    void setBusy(bool value) override { busyChanges.push_back(value); }
    bool sheetSwitchOn(SheetKey key) const override {
        return switches[static_cast<std::size_t>(key)];
    }
    std::optional<std::filesystem::path> chooseInputFile() override { return openPanelAnswer; }
    std::optional<std::string> chooseReportDestination(const std::string& name) override {
        savePanelNames.push_back(name);
        return savePanelAnswer;
    }
    void openFinishedReport(const std::string& path) override { openedReports.push_back(path); }
    void showAlert(const std::string& message, const std::string& informative) override {
        alerts.push_back({message, informative});
    }
    bool askYesNo(const std::string&, const std::string&) override { return yesNoAnswer; }
    bool openUrl(const std::string& url) override {
        urls.push_back(url);
        return urlOpens;
    }
    void logDiagnostic(const std::string& line) override { diagnostics.push_back(line); }
    void showWarning(const std::string& line) override { warningBoxes.push_back({line}); }
    void showWarnings(const std::vector<std::string>& lines) override {
        warningBoxes.push_back(lines);
    }

    bool hasDiagnostic(const std::string& line) const {
        for (const std::string& logged : diagnostics) {
            if (logged == line) {
                return true;
            }
        }
        return false;
    }

    bool progressIndeterminate = false;
    bool progressAnimating = false;
    double progressMaximum = 0;
    double progress = 0;
    std::string fileName = "unset";
    FileIcon icon = FileIcon::none;
    std::vector<std::string> sequenceMenu;
    int selectedSequence = -1;
    std::vector<TrackRow> videoRows;
    std::vector<TrackRow> audioRows;
    bool analysisControlsEnabled = false;
    std::vector<bool> busyChanges;
    std::array<bool, allSheetKeys.size()> switches{};
    std::optional<std::filesystem::path> openPanelAnswer;
    std::optional<std::string> savePanelAnswer;
    std::vector<std::string> savePanelNames;
    std::vector<std::string> openedReports;
    std::vector<Alert> alerts;
    bool yesNoAnswer = false;
    std::vector<std::string> urls;
    bool urlOpens = true;
    std::vector<std::string> diagnostics;
    std::vector<std::vector<std::string>> warningBoxes; // the lines of each box shown
};

} // namespace marrowvale::testing
