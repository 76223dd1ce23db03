#pragma once

#include "app/InputType.h"
#include "app/UserDialogs.h"

#include <iostream>
#include <string>

namespace marrowvale {

class StopRequest;

/// What a reader (or the report writer) may ask of the window that started it: drive the
/// progress bar, tell the user about a problem (an alert also stops the progress bar:
/// indeterminate, still), and ask a question.
/// The Qt window, the command-line front end and the tests' fakes implement it.
class ReaderHost : public UserDialogs {
public:
    /// Makes the progress bar determinate with the given maximum; it starts at 0.5, not 0.
    virtual void startProgress(double maxValue) = 0;

    /// Advances the progress bar by the given amount.
    virtual void updateProgress(double incrementBy) = 0;

    /// Records the kind of file being imported; a reader calls it when it starts (XMEML) or
    /// when it has recognised the producing editor (OTIO). The report reads it later.
    virtual void setInputType(InputType type) { (void)type; }

    /// Standard output unless the front end keeps its output clean for scripts.
    void logDiagnostic(const std::string& line) override { std::cout << line << '\n'; }

    /// The request a long task checks between its steps to stop early (a quit, an interrupt
    /// signal); none when the host never asks a task to stop.
    virtual const StopRequest* stopRequest() const { return nullptr; }

    /// Called at least every 100 ms while a task waits on something outside it (media read in
    /// the helper process), so that a window can repaint, move its progress bar and answer
    /// its events meanwhile.
    virtual void keepResponsive() {}
};

} // namespace marrowvale
