#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

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
    CliTest() {
        std::string pattern = (fs::temp_directory_path() / "cli-XXXXXX").string();
        folder = mkdtemp(pattern.data());
        sample = fs::path(MARROWVALE_TEST_DATA) / "two-sequences.xml";
    }
    ~CliTest() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    // Runs the program with its standard output and error kept apart, and no terminal.
    CliResult run(const std::string& arguments) {
        fs::path err = folder / "stderr.txt";
        std::string command = "XDG_DATA_HOME=\"" + (folder / "data").string() + "\" \"" +
                              MARROWVALE_CLI + "\" " + arguments + " 2>\"" + err.string() +
                              "\" </dev/null";
        CliResult result;
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[256];
        while (pipe && fgets(buffer, sizeof buffer, pipe))
            result.out += buffer;
        int raw = pipe ? pclose(pipe) : -1;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.err = readFile(err);
        return result;
    }

    std::string quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

    fs::path folder;
    fs::path sample;
};

} // namespace

TEST_F(CliTest, ListsSequencesAndTracks) {
    CliResult menu = run("--list " + quoted(sample));
    EXPECT_EQ(menu.status, 0) << menu.err;
    EXPECT_EQ(menu.out, "Reel 2\nReel 1\nBin Clips\n"); // every bin, then the master clips
    EXPECT_EQ(menu.err, "");                            // no progress bar off a terminal

    CliResult tracks = run("--list --sequence \"Reel 1\" " + quoted(sample));
    EXPECT_EQ(tracks.status, 0) << tracks.err;
    EXPECT_EQ(tracks.out, "V1\tV1\nV2\tV2\nA1\tA1\n");

    CliResult binClips = run("--list --sequence=\"Bin Clips\" " + quoted(sample));
    EXPECT_EQ(binClips.status, 0);
    EXPECT_EQ(binClips.out, "");
}

TEST_F(CliTest, ASequenceNamedLikeTheSeparatorCanBeListedAndChosen) {
    std::string timeline = readFile(sample);
    timeline.replace(timeline.find("<name>Reel 2</name>"), 19, "<name>---</name>");
    fs::path input = folder / "dashes.xml";
    std::ofstream(input) << timeline;
    CliResult menu = run("--list " + quoted(input));
    EXPECT_EQ(menu.status, 0) << menu.err;
    EXPECT_EQ(menu.out, "---\nReel 1\nBin Clips\n");
    CliResult tracks = run("--list --sequence --- " + quoted(input));
    EXPECT_EQ(tracks.status, 0) << tracks.err;
    EXPECT_EQ(tracks.out.rfind("V1\t", 0), 0u) << tracks.out;
}

TEST_F(CliTest, ADamagedFileIsListedWithAWarning) {
    std::string timeline = readFile(sample);
    fs::path input = folder / "cut.xml";
    std::ofstream(input) << timeline.substr(0, timeline.find("<name>Reel 1</name>") + 19);
    CliResult menu = run("--list " + quoted(input));
    EXPECT_EQ(menu.status, 0) << menu.err;
    EXPECT_EQ(menu.out.rfind("Reel 2\n", 0), 0u) << menu.out;
    EXPECT_EQ(menu.err.rfind("Warning: This XMEML is damaged (line ", 0), 0u) << menu.err;
}

TEST_F(CliTest, WritesTheReportWhereOutputSays) {
    fs::path output = folder / "out" / "Reel 1.xlsx";
    fs::create_directories(output.parent_path());
    CliResult result = run("--sequence \"Reel 1\" --tracks V2,A1 --sheets markers,summary "
                           "--drop-frame no --output " +
                           quoted(output) + " " + quoted(sample));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    ASSERT_TRUE(fs::exists(output));
    EXPECT_EQ(readFile(output).substr(0, 2), "PK"); // a zip container
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
    CliResult version = run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("marrowvale-cli ", 0), 0u);
}

TEST_F(CliTest, AlertsGoToStandardErrorAndExitWithTwo) {
    fs::path text = folder / "notes.txt";
    std::ofstream(text) << "hello";
    fs::path notXmeml = folder / "other.xml";
    std::ofstream(notXmeml) << "<?xml version=\"1.0\"?><fcpxml/>";
    struct Case {
        std::string arguments;
        std::string message;
    };
    const Case cases[] = {
        {"--list " + quoted(folder / "missing.xml"),
         "The file \u201cmissing.xml\u201d couldn\u2019t be opened.\nNo such file or directory"},
        {"--list " + quoted(text), "The file \u201cnotes.txt\u201d cannot be opened."},
        {"--list " + quoted(notXmeml), "This is not a valid .xml file"},
        {"--list " + quoted(folder / "cut.otio"), "This file type is not available"},
        {"--list --sequence Nope " + quoted(sample), "There is no sequence \u201cNope\u201d"},
        {"--list --sequence --- " + quoted(sample), "There is no sequence \u201c---\u201d"},
        {"--output x.xlsx --tracks V3 --sequence \"Reel 1\" " + quoted(sample),
         "There is no track V3 in \u201cReel 1\u201d"},
        {"--list --layout Nope " + quoted(sample), "There is no layout named \u201cNope\u201d"},
    };
    std::ofstream(folder / "cut.otio") << "{}";
    for (const Case& c : cases) {
        CliResult result = run(c.arguments);
        EXPECT_EQ(result.status, 2) << c.arguments;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "") << c.arguments;
    }
}

TEST_F(CliTest, SavedLayoutsAreReadButNeverWritten) {
    fs::path layouts = folder / "Layouts.json";
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
    fs::path output = folder / "dailies.xlsx";
    CliResult result = run("--layouts " + quoted(layouts) + " --layout Dailies --output " +
                           quoted(output) + " " + quoted(sample));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(fs::exists(output));
    EXPECT_EQ(readFile(layouts), saved);
    EXPECT_FALSE(fs::exists(folder / "Layouts.json.bak"));
}

TEST_F(CliTest, OutputIsAlwaysAWorkbookAndNeverTheInput) {
    fs::path input = folder / "same.xml";
    fs::copy_file(sample, input);
    const std::string timeline = readFile(input);

    // As in the save panel, ".xlsx" is added to a name without it.
    CliResult added = run("--output " + quoted(input) + " " + quoted(input));
    EXPECT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(readFile(input), timeline);
    EXPECT_EQ(readFile(folder / "same.xml.xlsx").substr(0, 2), "PK");
    CliResult kept = run("--output " + quoted(folder / "Upper.XLSX") + " " + quoted(input));
    EXPECT_EQ(kept.status, 0) << kept.err;
    EXPECT_TRUE(fs::exists(folder / "Upper.XLSX"));
    EXPECT_FALSE(fs::exists(folder / "Upper.XLSX.xlsx"));

    // The input's own file under a workbook's name is refused and left alone.
    fs::create_symlink(input, folder / "link.xlsx");
    CliResult same = run("--output " + quoted(folder / "link.xlsx") + " " + quoted(input));
    EXPECT_EQ(same.status, 2);
    EXPECT_NE(same.err.find("The report cannot replace the timeline it is made from"),
              std::string::npos)
        << same.err;
    EXPECT_EQ(readFile(input), timeline);
    EXPECT_TRUE(fs::is_symlink(folder / "link.xlsx"));

    // A folder is not a file name.
    for (const std::string& name : {std::string("out/"), std::string("."), std::string("..")}) {
        CliResult folderName = run("--output " + name + " " + quoted(input));
        EXPECT_EQ(folderName.status, 1) << name;
        EXPECT_NE(folderName.err.find("names no file"), std::string::npos) << folderName.err;
    }
}

TEST_F(CliTest, OptionsThisBuildCannotHonourGetANote) {
    struct Case {
        std::string options;
        std::vector<std::string> notes;
    };
    const std::string sheetsNote = "does not write the optional sheets yet (markers, summary)";
    const std::string thumbnailsNote = "does not make thumbnails yet";
    const Case cases[] = {
        {"--sheets markers,ignoreAudio,summary", {sheetsNote}},
        {"--thumbnails 120 --sheets markers,summary", {sheetsNote, thumbnailsNote}},
        {"--sheets ignoreAudio --thumbnails 0", {}},
        {"--list --sheets markers,summary --thumbnails 80", {}}, // no report, nothing to note
    };
    for (const Case& c : cases) {
        fs::path output = folder / "noted.xlsx";
        CliResult result = run(c.options + " --output " + quoted(output) + " " + quoted(sample));
        EXPECT_EQ(result.status, 0) << c.options << '\n' << result.err;
        std::size_t lines = 0;
        for (char ch : result.err)
            lines += ch == '\n' ? 1 : 0;
        EXPECT_EQ(lines, c.notes.size()) << result.err;
        for (const std::string& note : c.notes)
            EXPECT_NE(result.err.find("marrowvale-cli: note: this build " + note),
                      std::string::npos)
                << result.err;
    }
}
