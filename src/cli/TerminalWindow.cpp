#include "cli/TerminalWindow.h"

#include "app/TextUtilities.h"

#include <algorithm>
#include <cmath>
#include <csignal>
#include <fmt/format.h>
#include <iostream>
#include <string>
#include <unistd.h>

namespace marrowvale {

namespace {

constexpr int barWidth = 40;
constexpr int blockWidth = 3;
constexpr auto animationPeriod = std::chrono::milliseconds(200);

// "m:ss", or "h:mm:ss" from an hour on.
std::string elapsedText(std::chrono::steady_clock::duration elapsed) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count();
    if (seconds >= 3600) {
        return fmt::format("{}:{:02}:{:02}", seconds / 3600, seconds / 60 % 60, seconds % 60);
    }
    return fmt::format("{}:{:02}", seconds / 60, seconds % 60);
}

std::string signalName(int signal) {
    switch (signal) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
    default:
        return fmt::format("signal {}", signal);
    }
}

} // namespace

TerminalWindow::TerminalWindow(std::FILE* errorStream, bool showProgress)
    : error_(errorStream), showProgress_(showProgress) {}

void TerminalWindow::setProgressIndeterminate(bool indeterminate) {
    indeterminate_ = indeterminate;
    if (indeterminate) {
        clearProgress();
    } else {
        drawProgress();
    }
}

void TerminalWindow::setProgressAnimating(bool animating) {
    if (animating && indeterminate_ && showProgress_) {
        startAnimation();
    } else if (!animating) {
        clearProgress();
    }
}

void TerminalWindow::setProgressMaximum(double maximum) {
    maximum_ = maximum;
    drawProgress();
}

void TerminalWindow::setProgressValue(double value) {
    value_ = value;
    drawProgress();
}

void TerminalWindow::drawProgress() {
    if (!showProgress_ || indeterminate_ || !(maximum_ > 0)) {
        return;
    }
    double fraction = std::isfinite(value_) ? std::clamp(value_ / maximum_, 0.0, 1.0) : 0.0;
    int percent = static_cast<int>(fraction * 100);
    if (percent == drawnPercent_) {
        return;
    }
    if (animation_.joinable()) {
        clearProgress();
    }
    drawnPercent_ = percent;
    constexpr int width = barWidth;
    int filled = percent * width / 100;
    std::fprintf(error_, "\r[%s%s] %3d%%", std::string(filled, '#').c_str(),
                 std::string(width - filled, ' ').c_str(), percent);
    std::fflush(error_);
    drawnWidth_ = width + 7;
}

void TerminalWindow::clearProgress() {
    stopAnimation();
    drawnPercent_ = -1;
    if (drawnWidth_ == 0) {
        return;
    }
    std::fprintf(error_, "\r%*s\r", drawnWidth_, "");
    std::fflush(error_);
    drawnWidth_ = 0;
}

void TerminalWindow::startAnimation() {
    if (animation_.joinable()) {
        return;
    }
    clearProgress();
    const auto start = std::chrono::steady_clock::now();
    drawAnimation(0, {});
    animation_ = std::jthread([this, start](std::stop_token stop) {
        std::unique_lock lock(animationMutex_);
        for (int frame = 1;; ++frame) {
            if (animationWake_.wait_for(lock, stop, animationPeriod, [] { return false; }) ||
                stop.stop_requested()) {
                return;
            }
            drawAnimation(frame, std::chrono::steady_clock::now() - start);
        }
    });
}

void TerminalWindow::stopAnimation() {
    if (!animation_.joinable()) {
        return;
    }
    animation_.request_stop();
    animation_.join();
    animation_ = std::jthread();
}

void TerminalWindow::drawAnimation(int frame, std::chrono::steady_clock::duration elapsed) {
    // A block that runs to one end of the bar and back.
    constexpr int travel = barWidth - blockWidth;
    const int step = frame % (2 * travel);
    const int position = step <= travel ? step : 2 * travel - step;
    std::string bar(barWidth, ' ');
    bar.replace(static_cast<std::size_t>(position), blockWidth, blockWidth, '#');
    const std::string line = fmt::format("[{}] {}", bar, elapsedText(elapsed));
    std::fprintf(error_, "\r%s", line.c_str());
    std::fflush(error_);
    drawnWidth_ = static_cast<int>(line.size());
}

void TerminalWindow::showWarning(const std::string& line) {
    clearProgress();
    std::fprintf(error_, "Warning: %s\n", validUTF8(line).c_str());
    std::fflush(error_);
}

void TerminalWindow::setSequenceMenuItems(const std::vector<std::string>& titles) {
    selectedSequence_ = titles.empty() ? -1 : 0;
}

void TerminalWindow::setBusy(bool busy) {
    if (!busy) {
        clearProgress();
    }
}

bool TerminalWindow::sheetSwitchOn(SheetKey key) const {
    return switches_[static_cast<std::size_t>(key)];
}

void TerminalWindow::setSheetSwitch(SheetKey key, bool on) {
    switches_[static_cast<std::size_t>(key)] = on;
}

void TerminalWindow::setReportDestination(std::optional<std::string> destination) {
    destination_ = std::move(destination);
}

std::optional<std::string> TerminalWindow::chooseReportDestination(const std::string&) {
    return destination_;
}

void TerminalWindow::openFinishedReport(const std::string& path) {
    savedReport_ = path;
}

void TerminalWindow::openThumbnailsFolder(const std::string& folder) {
    thumbnailsFolder_ = folder;
}

void TerminalWindow::printSavedReport(int interruptedBy) {
    if (!savedReport_) {
        return;
    }
    clearProgress();
    std::string line = fmt::format("Saved \u201c{}\u201d", *savedReport_);
    if (thumbnailsFolder_) {
        line += fmt::format(" and its thumbnails in \u201c{}\u201d", *thumbnailsFolder_);
    }
    if (interruptedBy != 0) {
        line += fmt::format(" before {} interrupted the run", signalName(interruptedBy));
    }
    std::fprintf(error_, "%s\n", validUTF8(line).c_str());
    std::fflush(error_);
}

void TerminalWindow::showAlert(const std::string& messageText, const std::string& informativeText) {
    clearProgress();
    ++alerts_;
    std::fprintf(error_, "%s\n", validUTF8(messageText).c_str());
    if (!informativeText.empty()) {
        std::fprintf(error_, "%s\n", validUTF8(informativeText).c_str());
    }
    std::fflush(error_);
}

void TerminalWindow::showDetailedAlert(const std::string& messageText,
                                       const std::string& informativeText,
                                       const std::string& detailText) {
    showAlert(messageText, informativeText);
    if (!detailText.empty()) {
        std::fprintf(error_, "%s\n", validUTF8(detailText).c_str());
        std::fflush(error_);
    }
}

bool TerminalWindow::askYesNo(const std::string& messageText, const std::string& informativeText) {
    if (answer_) {
        return *answer_;
    }
    if (!::isatty(STDIN_FILENO)) {
        return false;
    }
    clearProgress();
    std::fprintf(error_, "%s\n%s\n[y/N] ", validUTF8(messageText).c_str(),
                 validUTF8(informativeText).c_str());
    std::fflush(error_);
    std::string line;
    if (!std::getline(std::cin, line)) {
        return false;
    }
    return line == "y" || line == "Y" || line == "yes" || line == "Yes";
}

bool TerminalWindow::askQuestion(const std::string& messageText, const std::string& informativeText,
                                 const std::string& firstButton, const std::string& secondButton) {
    if (answer_) {
        return *answer_;
    }
    clearProgress();
    if (!::isatty(STDIN_FILENO)) {
        std::fprintf(error_,
                     "%s\nAnswered \u201c%s\u201d, the default: there is no terminal to ask on "
                     "(--drop-frame yes|no gives the answer).\n",
                     validUTF8(messageText).c_str(), validUTF8(firstButton).c_str());
        std::fflush(error_);
        return false;
    }
    std::fprintf(error_, "%s\n%s\n1) %s (default)\n2) %s\n[1/2] ", validUTF8(messageText).c_str(),
                 validUTF8(informativeText).c_str(), validUTF8(firstButton).c_str(),
                 validUTF8(secondButton).c_str());
    std::fflush(error_);
    std::string line;
    if (!std::getline(std::cin, line)) {
        return false;
    }
    return line == "2" || line == secondButton;
}

} // namespace marrowvale
