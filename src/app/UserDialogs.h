#pragma once

#include <string>

namespace marrowvale {

/// The alerts and questions a window puts to the user, and its diagnostic lines: what the main
/// window offers the controller and what a reader or the report writer may ask of its host.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    /// Shows an alert with a message and an informative text (a sheet on the main window when
    /// there is one).
    virtual void showAlert(const std::string& messageText, const std::string& informativeText) = 0;

    /// An alert as showAlert, with a detail for whoever wants to know more: what a reader found
    /// in the file and where, such as the parser's first error with its line and column. A
    /// window shows it as the alert's detailed text; one without a place for it adds it to the
    /// informative text.
    virtual void showDetailedAlert(const std::string& messageText,
                                   const std::string& informativeText,
                                   const std::string& detailText) {
        showAlert(messageText,
                  detailText.empty() ? informativeText : informativeText + "\n\n" + detailText);
    }

    /// Asks the user a yes/no question; true for yes.
    virtual bool askYesNo(const std::string& messageText, const std::string& informativeText) = 0;

    /// Asks a question with two buttons, shown in this order with the first as the default;
    /// true when the user chooses the second. A window without buttons of its own asks it as a
    /// yes/no question, yes standing for the second button.
    virtual bool askQuestion(const std::string& messageText, const std::string& informativeText,
                             const std::string& firstButton, const std::string& secondButton) {
        (void)firstButton, (void)secondButton;
        return askYesNo(messageText, informativeText);
    }

    /// One plain diagnostic line (no trailing newline needed).
    virtual void logDiagnostic(const std::string& line) = 0;

    /// A problem the user should see although the work went on, such as a damaged file that was
    /// read only in part. A window without a place for it logs it as a diagnostic.
    virtual void showWarning(const std::string& line) { logDiagnostic(line); }
};

} // namespace marrowvale
