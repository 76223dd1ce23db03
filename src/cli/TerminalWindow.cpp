#include "cli/TerminalWindow.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <string>
#include <unistd.h>

namespace marrowvale {

TerminalWindow::TerminalWindow(std::FILE* errorStream, bool showProgress)
    : _error(errorStream), _showProgress(showProgress) {}

void TerminalWindow::setProgressIndeterminate(bool indeterminate) {
    _indeterminate = indeterminate;
    if (indeterminate)
        clearProgress();
    else
        drawProgress();
}

void TerminalWindow::setProgressMaximum(double maximum) {
    _maximum = maximum;
    drawProgress();
}

void TerminalWindow::setProgressValue(double value) {
    _value = value;
    drawProgress();
}

void TerminalWindow::drawProgress() {
    if (!_showProgress || _indeterminate || !(_maximum > 0))
        return;
    double fraction = std::isfinite(_value) ? std::clamp(_value / _maximum, 0.0, 1.0) : 0.0;
    int percent = static_cast<int>(fraction * 100);
    if (percent == _drawnPercent)
        return;
    _drawnPercent = percent;
    constexpr int width = 40;
    int filled = percent * width / 100;
    std::fprintf(_error, "\r[%s%s] %3d%%", std::string(filled, '#').c_str(),
                 std::string(width - filled, ' ').c_str(), percent);
    std::fflush(_error);
}

void TerminalWindow::clearProgress() {
    if (_drawnPercent < 0)
        return;
    _drawnPercent = -1;
    std::fprintf(_error, "\r%*s\r", 47, "");
    std::fflush(_error);
}

void TerminalWindow::showWarning(const std::string& line) {
    clearProgress();
    std::fprintf(_error, "Warning: %s\n", line.c_str());
    std::fflush(_error);
}

void TerminalWindow::setSequenceMenuItems(const std::vector<std::string>& titles) {
    _selectedSequence = titles.empty() ? -1 : 0;
}

void TerminalWindow::setBusy(bool busy) {
    if (!busy)
        clearProgress();
}

bool TerminalWindow::sheetSwitchOn(SheetSwitch sheetSwitch) const {
    return _switches[static_cast<std::size_t>(sheetSwitch)];
}

void TerminalWindow::setSheetSwitch(SheetSwitch sheetSwitch, bool on) {
    _switches[static_cast<std::size_t>(sheetSwitch)] = on;
}

void TerminalWindow::setReportDestination(std::optional<std::string> destination) {
    _destination = std::move(destination);
}

std::optional<std::string> TerminalWindow::chooseReportDestination(const std::string&) {
    return _destination;
}

void TerminalWindow::showAlert(const std::string& messageText, const std::string& informativeText) {
    clearProgress();
    ++_alerts;
    std::fprintf(_error, "%s\n", messageText.c_str());
    if (!informativeText.empty())
        std::fprintf(_error, "%s\n", informativeText.c_str());
    std::fflush(_error);
}

bool TerminalWindow::askYesNo(const std::string& messageText, const std::string& informativeText) {
    if (_answer)
        return *_answer;
    if (!::isatty(STDIN_FILENO))
        return false;
    clearProgress();
    std::fprintf(_error, "%s\n%s\n[y/N] ", messageText.c_str(), informativeText.c_str());
    std::fflush(_error);
    std::string line;
    if (!std::getline(std::cin, line))
        return false;
    return line == "y" || line == "Y" || line == "yes" || line == "Yes";
}

} // namespace marrowvale
