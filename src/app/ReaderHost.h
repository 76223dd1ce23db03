#pragma once

#include "app/InputType.h"

#include <iostream>
#include <string>

namespace marrowvale {

class StopRequest;

/// What a reader (or the report writer) may ask of the window that started it: drive the
/// progress bar, tell the user about a problem, and ask a yes/no question.
/// The Qt window, the command-line front end and the tests' fakes implement it.
class ReaderHost {
public:
    virtual ~ReaderHost() = default;

    /// Makes the progress bar determinate with the given maximum; it starts at 0.5, not 0.
    virtual void startProgress(double maxValue) = 0;

    /// Advances the progress bar by the given amount.
    virtual void updateProgress(double incrementBy) = 0;

    /// Stops the progress bar (indeterminate, still) and shows an alert with a message and an
    /// informative text.
    virtual void showAlert(const std::string& messageText, const std::string& informativeText) = 0;

    /// An alert as showAlert, with a detail for whoever wants to know more: what a reader found
    /// in the file and where, such as the parser's first error with its line and column. A
    /// window shows it as the alert's detailed text; a host without a place for it adds it to
    /// the informative text.
    virtual void showDetailedAlert(const std::string& messageText,
                                   const std::string& informativeText,
                                   const std::string& detailText) {
        showAlert(messageText,
                  detailText.empty() ? informativeText : informativeText + "\n\n" + detailText);
    }

    /// Asks the user a yes/no question; true for yes.
    virtual bool askYesNo(const std::string& messageText, const std::string& informativeText) = 0;

    /// Asks a question with two buttons, shown in this order with the first as the default;
    /// true when the user chooses the second. A host without buttons of its own asks it as a
    /// yes/no question, yes standing for the second button.
    virtual bool askQuestion(const std::string& messageText, const std::string& informativeText,
                             const std::string& firstButton, const std::string& secondButton) {
        (void)firstButton, (void)secondButton;
        return askYesNo(messageText, informativeText);
    }

    /// Records the kind of file being imported; a reader calls it when it starts (XMEML) or
    /// when it has recognised the producing editor (OTIO). The report reads it later.
    virtual void setInputType(InputType type) { (void)type; }

    /// One plain diagnostic line (no trailing newline needed); standard output unless the
    /// front end keeps its output clean for scripts.
    virtual void logDiagnostic(const std::string& line) { std::cout << line << '\n'; }

    /// A problem the user should see although the reader went on, such as a damaged file that
    /// was read only in part. Hosts without a place for it log it as a diagnostic.
    virtual void showWarning(const std::string& line) { logDiagnostic(line); }

    /// The request a long task checks between its steps to stop early (a quit, an interrupt
    /// signal); none when the host never asks a task to stop.
    virtual const StopRequest* stopRequest() const { return nullptr; }
};

} // namespace marrowvale
