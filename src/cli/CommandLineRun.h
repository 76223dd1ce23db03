#pragma once

#include "app/controller/AppServices.h"
#include "cli/CliOptions.h"

namespace marrowvale {

/// Exit statuses of marrowvale-cli.
constexpr int exitSuccess = 0;
constexpr int exitUsage = 1;
constexpr int exitAlert = 2;

/// Does what a parsed command line asks (lists the sequences or tracks, or writes the report)
/// with the controller over `services`, talking on standard output and error, and returns the
/// exit status (exitSuccess, or exitAlert after an alert). A signal while the report is written
/// stops it; the process then ends by that signal once the run has removed its files and said
/// whether the workbook was saved.
int runCommandLine(const CliOptions& options, AppServices services);

} // namespace marrowvale
