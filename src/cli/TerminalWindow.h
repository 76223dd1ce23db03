#pragma once

#include "app/controller/MainWindowView.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace marrowvale {

/// The main window of the command line: alerts and the progress bar go to standard error (the
/// bar only when it is a terminal), the save panel is answered by --output, the drop-frame
/// question by --drop-frame or, on a terminal, by the user. While the bar is indeterminate and
/// animating (a report being written), a moving block and the elapsed time stand in for it.
/// Where the finished workbook went is printed on standard error once the run has ended. Every
/// text is printed as valid UTF-8. Diagnostics are dropped so that standard output carries only
/// what the program was asked to print.
class TerminalWindow : public MainWindowView {
public:
    /// A window writing to `errorStream`; `showProgress` draws the bar there.
    TerminalWindow(std::FILE* errorStream, bool showProgress);

    void setProgressIndeterminate(bool indeterminate) override;
    void setProgressAnimating(bool animating) override;
    void setProgressMaximum(double maximum) override;
    void setProgressValue(double value) override;
    double progressValue() const override { return value_; }
    void setInputFile(const std::string&, FileIcon) override {}
    void setSequenceMenuItems(const std::vector<std::string>& titles) override;
    int selectedSequenceIndex() const override { return selectedSequence_; }
    void setTrackRows(TrackKind, const std::vector<TrackRow>&) override {}
    void setAnalysisControlsEnabled(bool) override {}
    void setBusy(bool busy) override;
    bool sheetSwitchOn(SheetKey key) const override;
    std::optional<std::filesystem::path> chooseInputFile() override { return std::nullopt; }
    std::optional<std::string> chooseReportDestination(const std::string& reportName) override;
    /// Keeps where the workbook was saved, for `printSavedReport`.
    void openFinishedReport(const std::string& path) override;
    /// Keeps where the thumbnails were kept, for `printSavedReport`.
    void openThumbnailsFolder(const std::string& folder) override;
    void showAlert(const std::string& messageText, const std::string& informativeText) override;
    /// The alert's lines, then the detail on a line of its own.
    void showDetailedAlert(const std::string& messageText, const std::string& informativeText,
                           const std::string& detailText) override;
    bool askYesNo(const std::string& messageText, const std::string& informativeText) override;
    /// The --drop-frame answer (yes for the second button); else asks on a terminal, and
    /// otherwise takes the first button, saying so on standard error.
    bool askQuestion(const std::string& messageText, const std::string& informativeText,
                     const std::string& firstButton, const std::string& secondButton) override;
    bool openUrl(const std::string&) override { return false; }
    void logDiagnostic(const std::string&) override {}
    /// Writes "Warning: " and the line to standard error; the exit status is not affected.
    void showWarning(const std::string& line) override;

    /// Selects an item of the sequence menu.
    void selectSequence(int index) { selectedSequence_ = index; }
    /// Switches a sheet switch on.
    void setSheetSwitch(SheetKey key, bool on);
    /// The answer the save panel gives; none cancels it.
    void setReportDestination(std::optional<std::string> destination);
    /// The answer to questions (yes, or the second of two buttons); none asks on a terminal
    /// and otherwise answers no, or the first button.
    void setQuestionAnswer(std::optional<bool> answer) { answer_ = answer; }
    /// How many alerts were shown.
    int alertCount() const { return alerts_; }
    /// Prints where the finished workbook went, and the folder of its kept thumbnails; nothing
    /// when no workbook was finished. `interruptedBy`, when not 0, is the signal that ended
    /// the run after the workbook was in place, and the line says so.
    void printSavedReport(int interruptedBy);

private:
    void drawProgress();
    void clearProgress();
    void startAnimation();
    void stopAnimation();
    void drawAnimation(int frame, std::chrono::steady_clock::duration elapsed);

    std::FILE* error_;
    bool showProgress_;
    bool indeterminate_ = true;
    double maximum_ = 100;
    double value_ = 0;
    int drawnPercent_ = -1;
    int selectedSequence_ = -1;
    std::array<bool, allSheetKeys.size()> switches_{};
    std::optional<std::string> destination_;
    std::optional<bool> answer_;
    int alerts_ = 0;
    std::optional<std::string> savedReport_;
    std::optional<std::string> thumbnailsFolder_;
    int drawnWidth_ = 0; // characters of the bar or indicator now on the line
    std::mutex animationMutex_;
    std::condition_variable_any animationWake_;
    std::jthread animation_; // draws the indicator while the bar animates; last, so it ends first
};

} // namespace marrowvale
