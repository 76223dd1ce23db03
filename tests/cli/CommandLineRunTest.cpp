// The command line over services of the test's own, in a process of its own where a signal
// may end it.
#include "cli/CommandLineRun.h"

#include "model/Composition.h"
#include "model/EventBin.h"
#include "model/ModelContext.h"
#include "support/ScratchFolder.h"

#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>

using namespace marrowvale;
namespace fs = std::filesystem;

namespace {

// The readers find one sequence, "Reel 1"; the report writer says the workbook and the kept
// thumbnails are in place, and then `signal` (unless 0) arrives.
AppServices servicesRaisingAfterTheSave(int signal) {
    AppServices services;
    services.processXMEML = [](ModelContext& store, InputFile&,
                               ReaderHost&) -> std::optional<InputType> {
        auto* sequence = store.create<Composition>();
        sequence->name = "Reel 1";
        store.create<EventBin>("Bin")->storyCompositions.push_back(sequence);
        return InputType::XMEML;
    };
    services.createXLSX = [signal](ModelContext&, const ReportRequest& request, ReportHost& host) {
        const std::optional<std::string> destination =
            host.chooseReportDestination(request.reportName);
        ASSERT_TRUE(destination);
        host.openFinishedReport(*destination);
        host.openThumbnailsFolder(fs::path(*destination).replace_extension().string() +
                                  " Thumbnails");
        if (signal != 0) {
            std::raise(signal);
        }
    };
    return services;
}

} // namespace

TEST(CommandLineRunTest, TheSavedLineNamesTheKeptThumbnailsAndAnInterruption) {
    marrowvale::testing::ScratchFolder folder;
    const fs::path input = folder.path() / "timeline.xml";
    std::ofstream(input) << "<xmeml/>";
    const CliOptions options =
        CliOptions::parse({"--thumbnails", "40", "--keep-thumbnails", "--output",
                           folder.file("Reel 1.xlsx"), input.string()});
    // One line, naming the workbook and the folder.
    const std::string saved = "^Saved \u201c[^\n]*/Reel 1.xlsx\u201d and its thumbnails in "
                              "\u201c[^\n]*/Reel 1 Thumbnails\u201d";
    EXPECT_EXIT(std::_Exit(runCommandLine(options, servicesRaisingAfterTheSave(0))),
                ::testing::ExitedWithCode(0), saved + "\n$");
    // A signal once the workbook is in place ends the program by it, and the line says so.
    for (const int signal : {SIGTERM, SIGINT}) {
        const std::string name = signal == SIGTERM ? "SIGTERM" : "SIGINT";
        EXPECT_EXIT(std::_Exit(runCommandLine(options, servicesRaisingAfterTheSave(signal))),
                    ::testing::KilledBySignal(signal),
                    saved + " before " + name + " interrupted the run\n$");
    }
}
