#pragma once

#include "app/ReportHost.h"

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

namespace marrowvale::bench {

/// A report window for the benchmarks: answers the save panel with a fixed path and stays
/// silent but for alerts, which go to standard error.
class BenchHost final : public ReportHost {
public:
    explicit BenchHost(std::string path) : path_(std::move(path)) {}
    void startProgress(double) override {}
    void updateProgress(double) override {}
    void showAlert(const std::string& message, const std::string& detail) override {
        std::fprintf(stderr, "alert: %s (%s)\n", message.c_str(), detail.c_str());
    }
    bool askYesNo(const std::string&, const std::string&) override { return true; }
    std::optional<std::string> chooseReportDestination(const std::string&) override {
        return path_;
    }
    void openFinishedReport(const std::string&) override {}
    void openThumbnailsFolder(const std::string&) override {}

private:
    std::string path_;
};

/// The wall-clock seconds `work` takes.
template <class Work>
double secondsOf(Work work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace marrowvale::bench
