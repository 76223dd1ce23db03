#pragma once

#include "app/ReaderHost.h"

#include <cstdio>
#include <string>

namespace marrowvale::bench {

/// A reader's window for the import benchmarks: shows nothing, answers the drop-frame question
/// with its default, logs no diagnostics (printing would be timed too) and sends alerts to
/// standard error.
class BenchReaderHost final : public ReaderHost {
public:
    void startProgress(double) override {}
    void updateProgress(double) override {}
    void showAlert(const std::string& message, const std::string& detail) override {
        std::fprintf(stderr, "alert: %s (%s)\n", message.c_str(), detail.c_str());
    }
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    void logDiagnostic(const std::string&) override {}
};

} // namespace marrowvale::bench
