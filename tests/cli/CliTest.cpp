#include "support/ScratchFolder.h"
#include "support/WorkbookReader.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CliTest : public ::testing::Test {
protected:
    CliTest() { sample_ = fs::path(MARROWVALE_TEST_DATA) / "two-sequences.xml"; }

    // Runs the program with its standard output and error kept apart, and no terminal;
    // `environment` holds extra variables ("NAME=value ...").
    CliResult run(const std::string& arguments, const std::string& environment = "") {
        fs::path err = folder_ / "stderr.txt";
        // A program that waits or reads forever fails the test instead of holding it up.
        std::string command = environment + " XDG_DATA_HOME=\"" + (folder_ / "data").string() +
                              "\" timeout 120 \"" + MARROWVALE_CLI + "\" " + arguments + " 2>\"" +
                              err.string() + "\" </dev/null";
        CliResult result;
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[256];
        while (pipe && fgets(buffer, sizeof buffer, pipe)) {
            result.out += buffer;
        }
        int raw = pipe ? pclose(pipe) : -1;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.err = readFile(err);
        return result;
    }

    std::string quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

    // The sample as a file of its own, with its sequence "Reel 2" renamed.
    fs::path sampleRenamingReel2(const std::string& title, const std::string& fileName) {
        std::string timeline = readFile(sample_);
        timeline.replace(timeline.find("<name>Reel 2</name>"), 19, "<name>" + title + "</name>");
        fs::path input = folder_ / fileName;
        std::ofstream(input) << timeline;
        return input;
    }

    marrowvale::testing::ScratchFolder scratch_;
    const fs::path folder_ = scratch_.path();
    fs::path sample_;
};

// A timeline whose sequence "Long" holds `clips` one-second clips on one video track.
std::string longTimeline(int clips) {
    const std::string rate = "<rate><timebase>25</timebase><ntsc>FALSE</ntsc></rate>";
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xmeml version=\"4\">"
                       "<sequence id=\"long\"><name>Long</name>" +
                       rate + "<media><video><track>";
    for (int i = 0; i < clips; ++i) {
        const std::string start = std::to_string(i * 25);
        const std::string end = std::to_string(i * 25 + 25);
        text += "<clipitem id=\"c" + std::to_string(i) + "\"><name>Shot " + std::to_string(i) +
                "</name><duration>25</duration>" + rate + "<start>" + start + "</start><end>" +
                end + "</end><in>0</in><out>25</out></clipitem>\n";
    }
    return text + "</track></video></media></sequence></xmeml>\n";
}

} // namespace

TEST_F(CliTest, AnInterruptedReportLeavesNothingBehind) {
    const fs::path input = folder_ / "long.xml";
    std::ofstream(input) << longTimeline(3000);
    const fs::path temporary = folder_ / "tmp";
    fs::create_directory(temporary);
    const fs::path output = folder_ / "long.xlsx";
    const std::string tmpdir = "TMPDIR=" + temporary.string();
    const std::string data = "XDG_DATA_HOME=" + (folder_ / "data").string();

    for (int signal : {SIGINT, SIGTERM}) {
        std::vector<char*> environment;
        for (char** variable = environ; *variable != nullptr; ++variable) {
            environment.push_back(*variable);
        }
        environment.push_back(const_cast<char*>(tmpdir.c_str()));
        environment.push_back(const_cast<char*>(data.c_str()));
        environment.push_back(nullptr);
        const std::string program = MARROWVALE_CLI;
        const std::string outputOption = "--output=" + output.string();
        char* arguments[] = {const_cast<char*>(program.c_str()),
                             const_cast<char*>(outputOption.c_str()),
                             const_cast<char*>(input.c_str()), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

        // The signal goes out the moment the run makes its working folder.
        const int watch = inotify_init1(IN_CLOEXEC);
        ASSERT_GE(inotify_add_watch(watch, temporary.c_str(), IN_CREATE), 0);
        pid_t child = 0;
        ASSERT_EQ(
            posix_spawn(&child, program.c_str(), &actions, nullptr, arguments, environment.data()),
            0);
        posix_spawn_file_actions_destroy(&actions);
        pollfd ready{watch, POLLIN, 0};
        ASSERT_EQ(poll(&ready, 1, 60000), 1) << "no working folder was made";
        kill(child, signal);
        close(watch);

        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_TRUE(fs::is_empty(temporary)) << fs::directory_iterator(temporary)->path();
        EXPECT_FALSE(fs::exists(output));
    }
}

TEST_F(CliTest, ATerminalSeesTheReportBeingWrittenAndWhereItWent) {
    const fs::path output = folder_ / "shown.xlsx";
    const std::string program = MARROWVALE_CLI;
    const std::string outputOption = "--output=" + output.string();
    const std::string data = "XDG_DATA_HOME=" + (folder_ / "data").string();
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    ASSERT_GE(child, 0);
    if (child == 0) {
        char* arguments[] = {const_cast<char*>(program.c_str()),
                             const_cast<char*>(outputOption.c_str()),
                             const_cast<char*>(sample_.c_str()), nullptr};
        char* environment[] = {const_cast<char*>(data.c_str()), nullptr};
        execve(program.c_str(), arguments, environment);
        _exit(127);
    }
    std::string shown;
    char buffer[512];
    for (ssize_t count; (count = read(terminal, buffer, sizeof buffer)) > 0;) {
        shown.append(buffer, static_cast<std::size_t>(count));
    }
    close(terminal);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << shown;
    // The moving block with the elapsed time, then the line cleared and the workbook named.
    EXPECT_NE(shown.find("] 0:00"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Saved \u201c" + output.string() + "\u201d"), std::string::npos) << shown;
}

TEST_F(CliTest, ListsSequencesAndTracks) {
    CliResult menu = run("--list " + quoted(sample_));
    EXPECT_EQ(menu.status, 0) << menu.err;
    EXPECT_EQ(menu.out, "Reel 2\nReel 1\nBin Clips\n"); // every bin, then the master clips
    EXPECT_EQ(menu.err, "");                            // no progress bar off a terminal

    CliResult tracks = run("--list --sequence \"Reel 1\" " + quoted(sample_));
    EXPECT_EQ(tracks.status, 0) << tracks.err;
    EXPECT_EQ(tracks.out, "V1\tV1\nV2\tV2\nA1\tA1\n");

    CliResult binClips = run("--list --sequence=\"Bin Clips\" " + quoted(sample_));
    EXPECT_EQ(binClips.status, 0);
    EXPECT_EQ(binClips.out, "");
}

TEST_F(CliTest, ASequenceNamedLikeTheSeparatorCanBeListedAndChosen) {
    const fs::path input = sampleRenamingReel2("---", "dashes.xml");
    CliResult menu = run("--list " + quoted(input));
    EXPECT_EQ(menu.status, 0) << menu.err;
    EXPECT_EQ(menu.out, "---\nReel 1\nBin Clips\n");
    CliResult tracks = run("--list --sequence --- " + quoted(input));
    EXPECT_EQ(tracks.status, 0) << tracks.err;
    EXPECT_EQ(tracks.out.rfind("V1\t", 0), 0u) << tracks.out;
}

TEST_F(CliTest, SequencesSharingANameAreWarnedAbout) {
    const fs::path input = sampleRenamingReel2("Reel 1", "twins.xml");
    CliResult menu = run("--list " + quoted(input));
    EXPECT_EQ(menu.status, 0) << menu.err;
    EXPECT_EQ(menu.out, "Reel 1\nReel 1\nBin Clips\n");
    const std::string warning =
        "Warning: 2 sequences are named \u201cReel 1\u201d (in the bins \u201ca Selects\u201d, "
        "\u201cb Edits\u201d); --sequence \u201cReel 1\u201d reports the one in ";
    ASSERT_EQ(menu.err.rfind(warning, 0), 0u) << menu.err;

    // The tracks listed are those of the sequence the warning names (one video track in
    // "a Selects", two and an audio track in "b Edits").
    CliResult tracks = run("--list --sequence \"Reel 1\" " + quoted(input));
    EXPECT_EQ(tracks.status, 0) << tracks.err;
    EXPECT_EQ(tracks.err, menu.err);
    const bool inSelects = menu.err == warning + "\u201ca Selects\u201d.\n";
    EXPECT_TRUE(inSelects || menu.err == warning + "\u201cb Edits\u201d.\n") << menu.err;
    EXPECT_EQ(tracks.out, inSelects ? "V1\tV1\n" : "V1\tV1\nV2\tV2\nA1\tA1\n");
}

TEST_F(CliTest, ADamagedFileIsListedWithAWarning) {
    std::string timeline = readFile(sample_);
    fs::path input = folder_ / "cut.xml";
    std::ofstream(input) << timeline.substr(0, timeline.find("<name>Reel 1</name>") + 19);
    CliResult menu = run("--list " + quoted(input));
    EXPECT_EQ(menu.status, 0) << menu.err;
    EXPECT_EQ(menu.out.rfind("Reel 2\n", 0), 0u) << menu.out;
    EXPECT_EQ(menu.err.rfind("Warning: This XMEML is damaged (line ", 0), 0u) << menu.err;
}

TEST_F(CliTest, WritesTheReportWhereOutputSays) {
    fs::path output = folder_ / "out" / "Reel 1.xlsx";
    fs::create_directories(output.parent_path());
    CliResult result = run("--sequence \"Reel 1\" --tracks V2,A1 --sheets markers,summary "
                           "--drop-frame no --output " +
                           quoted(output) + " " + quoted(sample_));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Saved \u201c" + output.string() + "\u201d\n");
    ASSERT_TRUE(fs::exists(output));
    EXPECT_EQ(readFile(output).substr(0, 2), "PK"); // a zip container
}

TEST_F(CliTest, TheReadmeExamplesRun) {
    std::ifstream readme(fs::path(MARROWVALE_SOURCE_DIR) / "README.md");
    std::vector<std::string> examples;
    for (std::string line; std::getline(readme, line);) {
        if (line.rfind("    marrowvale-cli ", 0) == 0) {
            line.erase(0, line.find("--"));
            line.erase(std::min(line.find("  #"), line.size()));
            line.replace(line.rfind("timeline.xml"), 12, quoted(sample_));
            examples.push_back(line);
        }
    }
    ASSERT_GE(examples.size(), 4u);
    const fs::path previous = fs::current_path();
    fs::current_path(folder_); // where the examples' workbooks go
    for (const std::string& example : examples) {
        CliResult result = run(example);
        EXPECT_EQ(result.status, 0) << example << '\n' << result.err;
    }
    fs::current_path(previous);
}

TEST_F(CliTest, UsageErrorsExitWithOne) {
    const char* lines[] = {
        "",
        "--list",
        "--bogus "
        "x.xml",
        "--sequence",
        "x.xml", // nothing to do
        "--list --tracks X1 x.xml",
        "--list --tracks V0 x.xml",
        "--list --sheets bogus x.xml",
        "--list --drop-frame maybe x.xml",
        "--list --thumbnails -5 x.xml",
        "--list a.xml b.xml",
        "--list=yes x.xml",
    };
    for (const char* line : lines) {
        CliResult result = run(line);
        EXPECT_EQ(result.status, 1) << line;
        EXPECT_NE(result.err.find("usage: marrowvale-cli"), std::string::npos) << line;
    }
    CliResult latin1 = run("--list --sheets \"$(printf 'caf\\351')\" x.xml");
    EXPECT_EQ(latin1.err.rfind("marrowvale-cli: --sheets: unknown sheet \"caf\uFFFD\"\n", 0), 0u)
        << latin1.err;
    CliResult version = run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("marrowvale-cli ", 0), 0u);
}

TEST_F(CliTest, AlertsGoToStandardErrorAndExitWithTwo) {
    fs::path text = folder_ / "notes.txt";
    std::ofstream(text) << "hello";
    fs::path notXmeml = folder_ / "other.xml";
    std::ofstream(notXmeml) << "<?xml version=\"1.0\"?><fcpxml/>";
    struct Case {
        std::string arguments;
        std::string message;
    };
    const Case cases[] = {
        {"--list " + quoted(folder_ / "missing.xml"),
         "The file \u201cmissing.xml\u201d couldn\u2019t be opened.\nNo such file or directory"},
        {"--list " + quoted(text), "The file \u201cnotes.txt\u201d cannot be opened."},
        {"--list " + quoted(notXmeml), "This is not a valid .xml file"},
        {"--list " + quoted(folder_ / "cut.otio"), "There is a problem with this OTIO"},
        {"--list --sequence Nope " + quoted(sample_), "There is no sequence \u201cNope\u201d"},
        {"--list --sequence --- " + quoted(sample_), "There is no sequence \u201c---\u201d"},
        {"--output x.xlsx --tracks V3 --sequence \"Reel 1\" " + quoted(sample_),
         "There is no track V3 in \u201cReel 1\u201d"},
        {"--output x.xlsx --tracks \"\" --sequence \"Reel 1\" " + quoted(sample_),
         "--tracks names no track of \u201cReel 1\u201d"},
        {"--list --layout Nope " + quoted(sample_), "There is no layout named \u201cNope\u201d"},
        {"--list --layouts " + quoted(folder_ / "gone.json") + " --layout Nope " + quoted(sample_),
         "There is no layout named \u201cNope\u201d\nThe layouts file \u201c" +
             (folder_ / "gone.json").string() + "\u201d does not exist."},
        // A byte that is no UTF-8 (a Latin-1 name) is shown as a replacement character.
        {"--list --sequence \"$(printf 'Caf\\351')\" " + quoted(sample_),
         "There is no sequence \u201cCaf\uFFFD\u201d"},
    };
    std::ofstream(folder_ / "cut.otio") << "{}";
    for (const Case& c : cases) {
        CliResult result = run(c.arguments);
        EXPECT_EQ(result.status, 2) << c.arguments;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "") << c.arguments;
    }
}

TEST_F(CliTest, AFailedSaveIsAnAlertAndExitsWithTwo) {
    struct Case {
        std::string environment;
        std::string output;
        std::string informative;
    };
    const Case cases[] = {
        {"", (folder_ / "gone" / "r.xlsx").string(),
         (folder_ / "gone" / "r.xlsx").string() + ": No such file or directory"},
        {"TMPDIR=/nonexistent-folder", (folder_ / "r.xlsx").string(),
         "A working folder could not be made in \u201c/nonexistent-folder\u201d: No such file or "
         "directory."},
    };
    for (const Case& c : cases) {
        CliResult result =
            run("--output " + quoted(c.output) + " " + quoted(sample_), c.environment);
        EXPECT_EQ(result.status, 2) << result.err;
        EXPECT_EQ(result.err, "The report could not be saved\n" + c.informative + "\n");
        EXPECT_EQ(result.out, "");
        EXPECT_FALSE(fs::exists(c.output));
    }
}

TEST_F(CliTest, FilesThatCannotBeReadAreRefusedBeforeReading) {
    ::mkfifo((folder_ / "pipe.xml").c_str(), 0600);
    ::mkfifo((folder_ / "pipe.json").c_str(), 0600);
    fs::create_symlink("/dev/zero", folder_ / "zero.xml");
    std::ofstream(folder_ / "huge.xml") << "<xmeml>";
    fs::resize_file(folder_ / "huge.xml", std::uintmax_t{1} << 31);
    std::ofstream(folder_ / "junk.xml") << "Just some notes, no timeline.";
    const std::string layoutsWarning = "Warning: The layouts file \u201c";
    struct Case {
        std::string arguments;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {"--list " + quoted(folder_ / "pipe.xml"), 2,
         "The file \u201cpipe.xml\u201d couldn\u2019t be opened.\nIt is a named pipe (FIFO), not "
         "a regular file\n"},
        {"--list " + quoted(folder_ / "zero.xml"), 2,
         "The file \u201czero.xml\u201d couldn\u2019t be opened.\nIt is a device, not a regular "
         "file\n"},
        {"--list " + quoted(folder_ / "huge.xml"), 2,
         "The file \u201chuge.xml\u201d couldn\u2019t be opened.\nIt holds 2.0 GiB; files of 2.0 "
         "GiB or more are not read\n"},
        {"--list " + quoted(folder_ / "junk.xml"), 2,
         "There is a problem with this XMEML\nDocument is empty\nThe file is not an XML file.\n"},
        {"--layouts " + quoted(folder_ / "pipe.json") + " --list " + quoted(sample_), 0,
         layoutsWarning + (folder_ / "pipe.json").string() +
             "\u201d cannot be read: it is a named pipe (FIFO), not a regular file. No saved "
             "layouts are available.\n"},
        {"--layouts /dev/zero --list " + quoted(sample_), 0,
         layoutsWarning +
             "/dev/zero\u201d cannot be read: it is a device, not a regular file. No saved "
             "layouts are available.\n"},
    };
    for (const Case& c : cases) {
        CliResult result = run(c.arguments);
        EXPECT_EQ(result.status, c.status) << c.arguments;
        EXPECT_EQ(result.err, c.err);
        EXPECT_EQ(result.out, c.status == 0 ? "Reel 2\nReel 1\nBin Clips\n" : "");
    }
}

TEST_F(CliTest, SavedLayoutsAreReadButNeverWritten) {
    fs::path layouts = folder_ / "Layouts.json";
    const std::string saved =
        R"([{"id":"6F1C2A4E-2B7D-4C3A-9E51-0D3B5A7C9E12","name":"Dailies",)"
        R"("rowNumbersColumnCheckbox":true,"thumbnailsColumnCheckbox":false,)"
        R"("thumbnailWidthPopup":"40","keepThumbnailsCheckbox":false,)"
        R"("trackColumnCheckbox":true,"enabledColumnCheckbox":false,"inColumnCheckbox":true,)"
        R"("outColumnCheckbox":true,"durationColumnCheckbox":true,"srcReelColumnCheckbox":false,)"
        R"("srcInColumnCheckbox":true,"srcOutColumnCheckbox":true,)"
        R"("srcDurationColumnCheckbox":false,"descriptionColumnCheckbox":false,)"
        R"("sceneColumnCheckbox":false,"shottakeColumnCheckbox":false,)"
        R"("lognoteColumnCheckbox":false,"camerarollColumnCheckbox":false,)"
        R"("dailyrollColumnCheckbox":false,"labrollColumnCheckbox":false,)"
        R"("labelsColumnsCheckbox":false,"framerateColumnCheckbox":false,)"
        R"("frameSizeColumnCheckbox":false,"srcFileNameColumnCheckbox":true,)"
        R"("srcFilePathColumnCheckbox":false,"id3MetadataColumnCheckbox":false}])";
    std::ofstream(layouts) << saved;
    fs::path output = folder_ / "dailies.xlsx";
    CliResult result = run("--layouts " + quoted(layouts) + " --layout Dailies --output " +
                           quoted(output) + " " + quoted(sample_));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(fs::exists(output));
    EXPECT_EQ(readFile(layouts), saved);
    EXPECT_FALSE(fs::exists(folder_ / "Layouts.json.bak"));
}

TEST_F(CliTest, OutputIsAlwaysAWorkbookAndNeverTheInput) {
    fs::path input = folder_ / "same.xml";
    fs::copy_file(sample_, input);
    const std::string timeline = readFile(input);

    // As in the save panel, ".xlsx" is added to a name without it.
    CliResult added = run("--output " + quoted(input) + " " + quoted(input));
    EXPECT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(readFile(input), timeline);
    EXPECT_EQ(readFile(folder_ / "same.xml.xlsx").substr(0, 2), "PK");
    CliResult kept = run("--output " + quoted(folder_ / "Upper.XLSX") + " " + quoted(input));
    EXPECT_EQ(kept.status, 0) << kept.err;
    EXPECT_TRUE(fs::exists(folder_ / "Upper.XLSX"));
    EXPECT_FALSE(fs::exists(folder_ / "Upper.XLSX.xlsx"));

    // The input's own file under a workbook's name is refused and left alone.
    fs::create_symlink(input, folder_ / "link.xlsx");
    CliResult same = run("--output " + quoted(folder_ / "link.xlsx") + " " + quoted(input));
    EXPECT_EQ(same.status, 2);
    EXPECT_NE(same.err.find("The report cannot replace the timeline it is made from"),
              std::string::npos)
        << same.err;
    EXPECT_EQ(readFile(input), timeline);
    EXPECT_TRUE(fs::is_symlink(folder_ / "link.xlsx"));

    // A folder is not a file name.
    for (const std::string& name : {std::string("out/"), std::string("."), std::string("..")}) {
        CliResult folderName = run("--output " + name + " " + quoted(input));
        EXPECT_EQ(folderName.status, 1) << name;
        EXPECT_NE(folderName.err.find("names no file"), std::string::npos) << folderName.err;
    }
}

TEST_F(CliTest, ChosenOptionsNeedNoNoteAndMediaLibrariesStayQuiet) {
    // A clip whose movie has no movie header: its thumbnail fails without the media library's
    // lines ("moov atom not found").
    const fs::path broken = folder_ / "broken.mov";
    std::ofstream(broken, std::ios::binary) << std::string("\0\0\0\x14"
                                                           "ftypisom\0\0\x02\0isom\0\0\0\x10"
                                                           "mdatjunkjunk",
                                                           36);
    const std::string rate = "<rate><timebase>25</timebase><ntsc>FALSE</ntsc></rate>";
    const fs::path input = folder_ / "broken.xml";
    std::ofstream(input) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xmeml version=\"4\">"
                            "<sequence id=\"s\"><name>Broken</name>"
                         << rate << "<media><video><track><clipitem id=\"c\"><name>Shot</name>"
                         << rate
                         << "<start>0</start><end>25</end><in>0</in><out>25</out>"
                            "<file id=\"f\"><name>broken.mov</name><pathurl>file://localhost"
                         << broken.string() << "</pathurl><duration>50</duration>" << rate
                         << "<media><video/></media></file></clipitem></track></video></media>"
                            "</sequence></xmeml>\n";
    const fs::path output = folder_ / "quiet.xlsx";
    const std::string saved = "Saved \u201c" + output.string() + "\u201d\n";
    const std::pair<std::string, std::string> cases[] = {
        {"--sheets markers,ignoreAudio,summary --thumbnails 120", saved},
        {"--sheets ignoreAudio --thumbnails 0", saved},
        {"--list --sheets markers,summary --thumbnails 80", ""},
    };
    for (const auto& [options, err] : cases) {
        CliResult result = run(options + " --output " + quoted(output) + " " + quoted(input));
        EXPECT_EQ(result.status, 0) << options << '\n' << result.err;
        EXPECT_EQ(result.err, err) << options;
    }
}

TEST_F(CliTest, ReportsEveryOTIOTimeline) {
    std::vector<fs::path> timelines;
    for (const fs::path& folderOfTimelines : {fs::path(MARROWVALE_SOURCE_DIR) / "samples",
                                              fs::path(MARROWVALE_SHARED_TESTDATA) / "otio"}) {
        if (folderOfTimelines.parent_path().empty() || !fs::is_directory(folderOfTimelines)) {
            continue;
        }
        for (const fs::directory_entry& entry : fs::directory_iterator(folderOfTimelines)) {
            if (entry.path().extension() == ".otio") {
                timelines.push_back(entry.path());
            }
        }
    }
    ASSERT_GE(timelines.size(), 3u);
    for (const fs::path& input : timelines) {
        SCOPED_TRACE(input.string());
        CliResult menu = run("--list " + quoted(input));
        if (menu.status == 2) {
            // A refusal is an alert with its reason, never a crash.
            EXPECT_EQ(menu.err.rfind("There is a problem with this OTIO\n", 0), 0u) << menu.err;
            continue;
        }
        ASSERT_EQ(menu.status, 0) << menu.err;
        EXPECT_FALSE(menu.out.empty());
        const fs::path output = folder_ / (input.stem().string() + ".xlsx");
        CliResult report = run("--sheets markers,generators,transitions,effects,summary "
                               "--output " +
                               quoted(output) + " " + quoted(input));
        ASSERT_EQ(report.status, 0) << report.err;
        marrowvale::testing::WorkbookReader workbook(output);
        const std::vector<std::string> sheets = workbook.sheetNames();
        ASSERT_FALSE(sheets.empty());
        // Premiere Pro's reels; every other editor's clips.
        EXPECT_EQ(sheets[0],
                  input.filename() == "premiere-timeline.otio" ? "All Reels" : "All Clips");
        EXPECT_GT(workbook.texts(sheets[0]).size(), 1u);
        // What some files carry, by the first column of an optional sheet.
        const std::map<std::string, std::pair<std::string, std::vector<std::string>>> carried = {
            {"nested_example.otio", {"Speed Change Effects", {"Speed Change", "Freeze Frame"}}},
            {"premiere_example.otio", {"Timeline Markers", {"My MArker 1", "", "dsf"}}},
            {"resolve-timeline.otio", {"Video & Audio Effects", {"Transform"}}},
            {"avid-timeline.otio", {"Clip Markers", {"Fix flare"}}},
        };
        if (const auto found = carried.find(input.filename().string()); found != carried.end()) {
            std::vector<std::string> firstColumn;
            const auto rows = workbook.texts(found->second.first);
            for (std::size_t row = 1; row < rows.size(); ++row) {
                firstColumn.push_back(rows[row].at(0));
            }
            EXPECT_EQ(firstColumn, found->second.second) << found->second.first;
        }
    }
}

TEST_F(CliTest, AnOTIOTimelinesTitlesEffectsSpeedChangesAndMarkersFillTheirSheets) {
    using nlohmann::json;
    const auto range = [](double start, double duration) {
        const auto time = [](double value) {
            return json{{"OTIO_SCHEMA", "RationalTime.1"}, {"rate", 24}, {"value", value}};
        };
        return json{{"OTIO_SCHEMA", "TimeRange.1"},
                    {"start_time", time(start)},
                    {"duration", time(duration)}};
    };
    const auto marker = [&range](const std::string& name, double start, const std::string& note) {
        return json{{"OTIO_SCHEMA", "Marker.2"},
                    {"metadata", {{"Resolve_OTIO", {{"Note", note}, {"Keywords", {"VFX"}}}}}},
                    {"name", name},
                    {"color", "RED"},
                    {"marked_range", range(start, 0)}};
    };
    const auto resolveEffect = [](const std::string& name, const std::vector<std::string>& ids) {
        json parameters = json::array();
        for (const std::string& id : ids) {
            parameters.push_back({{"Default Parameter Value", 0},
                                  {"Parameter ID", id},
                                  {"Parameter Value", 1},
                                  {"Variant Type", "Double"}});
        }
        return json{
            {"OTIO_SCHEMA", "Effect.1"},
            {"name", name},
            {"effect_name", name},
            {"metadata",
             {{"Resolve_OTIO", {{"Enabled", true}, {"Name", name}, {"Parameters", parameters}}}}}};
    };
    json shot = {{"OTIO_SCHEMA", "Clip.2"},
                 {"name", "Shot"},
                 {"source_range", range(86424, 48)},
                 {"effects",
                  {resolveEffect("Transform", {"zoomX", "cropLeft"}),
                   {{"OTIO_SCHEMA", "LinearTimeWarp.1"},
                    {"name", "Retime"},
                    {"effect_name", "LinearTimeWarp"},
                    {"metadata", json::object()},
                    {"time_scalar", 0.5}}}},
                 {"markers", {marker("VFX 010", 86430, "Sky")}}};
    const json titleHTML = {{"Title HTML", "<html><body><p><span style=\" font-family:'Open Sans'; "
                                           "font-size:84pt;\">Hello</span></p></body></html>"}};
    json title = {
        {"OTIO_SCHEMA", "Clip.2"}, {"name", "Opening title"}, {"source_range", range(0, 24)}};
    title["media_references"]["DEFAULT_MEDIA"] = {{"OTIO_SCHEMA", "GeneratorReference.1"},
                                                  {"generator_kind", "Text"}};
    title["media_references"]["DEFAULT_MEDIA"]["parameters"]["Resolve_OTIO"] =
        json::array({json{{"Parameters", json::array({titleHTML})}}});
    json dialogue = {{"OTIO_SCHEMA", "Clip.2"},
                     {"name", "Dialogue"},
                     {"source_range", range(0, 48)},
                     {"effects", {resolveEffect("Gain", {"gain"})}}};
    const auto track = [](const std::string& name, const std::string& kind, json items) {
        return json{
            {"OTIO_SCHEMA", "Track.1"}, {"name", name}, {"kind", kind}, {"children", items}};
    };
    const json document = {
        {"OTIO_SCHEMA", "Timeline.1"},
        {"metadata", {{"Resolve_OTIO", {{"Resolve OTIO Meta Version", "1.0"}}}}},
        {"name", "Reel 1"},
        {"global_start_time", {{"OTIO_SCHEMA", "RationalTime.1"}, {"rate", 24}, {"value", 86400}}},
        {"tracks",
         {{"OTIO_SCHEMA", "Stack.1"},
          {"name", ""},
          {"markers", {marker("Reel start", 0, "Top")}},
          {"children", {track("V1", "Video", {shot, title}), track("A1", "Audio", {dialogue})}}}}};
    const fs::path input = folder_ / "Reel 1.otio";
    std::ofstream(input) << document.dump();
    const fs::path output = folder_ / "Reel 1.xlsx";
    CliResult result =
        run("--sheets markers,generators,effects --output " + quoted(output) + " " + quoted(input));
    ASSERT_EQ(result.status, 0) << result.err;

    marrowvale::testing::WorkbookReader workbook(output);
    using Rows = std::vector<std::vector<std::string>>;
    const auto body = [&workbook](const std::string& sheet) {
        Rows rows = workbook.texts(sheet);
        rows.erase(rows.begin());
        return rows;
    };
    EXPECT_EQ(body("Timeline Markers"),
              (Rows{{"Reel start", "Red", "VFX", "Top", "01:00:00:00", "01:00:00:00", ""}}));
    EXPECT_EQ(body("Clip Markers"), (Rows{{"VFX 010", "Red", "VFX", "Sky", "01:00:00:06",
                                           "01:00:00:06", "", "V1", "Shot", "01:00:01:06"}}));
    EXPECT_EQ(body("Graphics & Titles"),
              (Rows{{"V1", "Opening title", "Text", "01:00:02:00", "01:00:03:00", "00:00:01:00",
                     "Open Sans 84pt", "Hello"}}));
    EXPECT_EQ(
        body("Video & Audio Effects"),
        (Rows{{"Transform", "Left, zoomX", "\u2713", "Shot", "V1", "01:00:00:00", "01:00:02:00"},
              {"Gain", "", "\u2713", "Dialogue", "A1", "01:00:00:00", "01:00:02:00"}}));
    EXPECT_EQ(body("Speed Change Effects"),
              (Rows{{"Speed Change", "50.0%", "Shot", "V1", "01:00:00:00", "01:00:02:00"}}));
}

TEST_F(CliTest, TheDropFrameQuestionIsAnsweredByTheOptionOrElseByItsDefault) {
    const fs::path input = folder_ / "Reel 3.otio";
    fs::copy_file(fs::path(MARROWVALE_SOURCE_DIR) / "samples" / "drop-frame-question.otio", input);
    const struct {
        std::string option;
        std::string timelineIn;
        std::string note;
    } cases[] = {
        {"", "00:01:00:00", "Answered \u201cNon-Drop Frame\u201d, the default"},
        {"--drop-frame no ", "00:01:00:00", ""},
        {"--drop-frame yes ", "00:01:00;02", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        const fs::path output = folder_ / "Reel 3.xlsx";
        CliResult result = run(c.option + "--output " + quoted(output) + " " + quoted(input));
        ASSERT_EQ(result.status, 0) << result.err;
        if (c.note.empty()) {
            EXPECT_EQ(result.err.find("Drop Frame"), std::string::npos) << result.err;
        } else {
            EXPECT_EQ(result.err.rfind(
                          "Does this timeline use Non-Drop or Drop Frame timecode?\n" + c.note, 0),
                      0u)
                << result.err;
        }
        marrowvale::testing::WorkbookReader workbook(output);
        const int column = workbook.column("All Clips", "Timeline In");
        ASSERT_GE(column, 0);
        EXPECT_EQ(workbook.value("All Clips", 1, column), c.timelineIn);
    }
}
