#include "app/LayoutsFile.h"

#include "model/Identifier.h"
#include "support/ScratchFolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <sys/stat.h>

using namespace marrowvale;
namespace fs = std::filesystem;

namespace {

using marrowvale::testing::ScratchFolder;

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The error that loading the file throws; none when it loads.
std::optional<LayoutsFileError> loadError(const fs::path& path) {
    try {
        LayoutsFile(path).load();
    } catch (const LayoutsFileError& error) {
        return error;
    }
    return std::nullopt;
}

// The reason decoding the text throws; empty when it decodes.
std::string decodeError(std::string_view json) {
    try {
        decodeLayouts(json);
    } catch (const LayoutsFileError& error) {
        return error.what();
    }
    return {};
}

LayoutsItem sampleLayout(std::string name) {
    LayoutsItem layout = LayoutsItem::makeNew(std::move(name));
    layout.trackColumnCheckbox = true;
    layout.framerateColumnCheckbox = true;
    layout.thumbnailWidthPopup = "120";
    return layout;
}

} // namespace

TEST(LayoutsFile, RoundTripInCompactJsonWithEveryKey) {
    ScratchFolder folder;
    fs::path path = folder.path() / "Marrowvale" / "Layouts.json"; // folder does not exist yet
    std::vector<LayoutsItem> layouts = {sampleLayout("Dailies"), sampleLayout("Cut \"A\" / é")};

    LayoutsFile file(path);
    EXPECT_THROW(file.load(), LayoutsFileError); // missing at first launch
    EXPECT_NO_THROW(file.save(layouts));
    EXPECT_FALSE(fs::exists(file.backupPath())); // a missing file needs no backup

    std::string text = readText(path);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    nlohmann::json json = nlohmann::json::parse(text);
    ASSERT_TRUE(json.is_array());
    ASSERT_EQ(json.size(), 2u);
    EXPECT_EQ(json[0].size(), 28u);
    EXPECT_EQ(json[0]["thumbnailWidthPopup"], "120");
    EXPECT_EQ(json[0]["framerateColumnCheckbox"], true);
    EXPECT_EQ(json[0]["id"].get<std::string>().size(), 36u);

    LayoutsFile reread(path);
    std::vector<LayoutsItem> loaded;
    EXPECT_NO_THROW(loaded = reread.load());
    EXPECT_EQ(loaded, layouts);

    EXPECT_NO_THROW(file.save({}));
    EXPECT_EQ(readText(path), "[]");
    EXPECT_TRUE(LayoutsFile(path).load().empty());

    // Nothing but the file itself is left in the folder (the temporary file was renamed).
    EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), fs::directory_iterator()),
              1);
}

TEST(LayoutsFile, StrictDecodingRejectsTheWholeFile) {
    LayoutsItem a = sampleLayout("A");
    nlohmann::ordered_json good = nlohmann::ordered_json::array({a.toJson(), a.toJson()});

    auto variant = [&](auto change) {
        nlohmann::ordered_json copy = good;
        change(copy[1]);
        return copy.dump();
    };
    std::string error = decodeError(variant([](auto& o) { o.erase("id3MetadataColumnCheckbox"); }));
    EXPECT_NE(error.find("id3MetadataColumnCheckbox"), std::string::npos);
    EXPECT_THROW(decodeLayouts(variant([](auto& o) { o["thumbnailWidthPopup"] = 120; })),
                 LayoutsFileError);
    EXPECT_THROW(decodeLayouts(variant([](auto& o) { o["trackColumnCheckbox"] = 1; })),
                 LayoutsFileError);
    EXPECT_THROW(decodeLayouts(variant([](auto& o) { o["id"] = "not-a-uuid"; })), LayoutsFileError);
    EXPECT_THROW(decodeLayouts("{}"), LayoutsFileError);
    EXPECT_THROW(decodeLayouts("[1]"), LayoutsFileError);
    EXPECT_THROW(decodeLayouts("[{"), LayoutsFileError);

    // Extra keys are ignored (and dropped at the next save); key order does not matter;
    // a lower-case id is accepted and written back in upper case.
    std::vector<LayoutsItem> extra;
    ASSERT_NO_THROW(extra = decodeLayouts(variant([](auto& o) {
                        o["futureKey"] = 3;
                        std::string id = o["id"];
                        for (char& c : id) {
                            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                        }
                        o.erase("id");
                        o["id"] = id;
                    })));
    ASSERT_EQ(extra.size(), 2u);
    EXPECT_EQ(extra[1], a);
    EXPECT_EQ(encodeLayouts(extra).find("futureKey"), std::string::npos);

    LayoutsItem b = a;
    b.id = makeUpperCaseUUID();
    EXPECT_NE(a, b); // differ only in id
}

TEST(LayoutsFile, DamagedFileIsKeptBeforeItIsOverwritten) {
    ScratchFolder folder;
    fs::path path = folder.path() / "Layouts.json";
    const std::string damaged = R"([{"name": "Mine", "id": 12}])";
    writeText(path, damaged);

    LayoutsFile file(path);
    EXPECT_THROW(file.load(), LayoutsFileError);

    std::vector<LayoutsItem> layouts = {sampleLayout("New")};
    EXPECT_NO_THROW(file.save(layouts));
    EXPECT_EQ(readText(file.backupPath()), damaged);
    EXPECT_EQ(LayoutsFile(path).load(), layouts);

    // Only the first write keeps the damaged file; later writes leave the backup alone.
    EXPECT_NO_THROW(file.save({}));
    EXPECT_EQ(readText(file.backupPath()), damaged);

    // A file that was never loaded is examined before the first write too.
    writeText(path, "not json");
    LayoutsFile unloaded(path);
    EXPECT_NO_THROW(unloaded.save(layouts));
    EXPECT_EQ(readText(unloaded.backupPath()), "not json");
}

TEST(LayoutsFile, AnUnusableFileIsNamedWithWhatIsWrong) {
    ScratchFolder folder;
    const fs::path pipe = folder.path() / "pipe.json";
    ::mkfifo(pipe.c_str(), 0600);
    const fs::path huge = folder.path() / "huge.json";
    writeText(huge, "[]");
    fs::resize_file(huge, std::uintmax_t{16} << 20);
    const fs::path keyless = folder.path() / "keyless.json";
    nlohmann::ordered_json layout = sampleLayout("A").toJson();
    layout.erase("inColumnCheckbox");
    writeText(keyless, "[" + sampleLayout("B").toJson().dump() + "," + layout.dump() + "]");
    const fs::path broken = folder.path() / "broken.json";
    writeText(broken, "[tru");
    const fs::path overflowing = folder.path() / "overflowing.json";
    writeText(overflowing, "[1e99999]");
    const std::pair<fs::path, std::string> cases[] = {
        {pipe, "cannot be read: it is a named pipe (FIFO), not a regular file."},
        {"/dev/zero", "cannot be read: it is a device, not a regular file."},
        {huge, "cannot be read: it holds 16.0 MiB; files of 16.0 MiB or more are not read."},
        {keyless,
         "cannot be used: layout 2: the key \"inColumnCheckbox\" is missing or not a boolean."},
        {broken, "cannot be used: it is not valid JSON (at byte 5)."},
        {overflowing, "cannot be used: it is not valid JSON (a number out of range)."},
    };
    for (const auto& [path, reason] : cases) {
        std::optional<LayoutsFileError> error = loadError(path);
        ASSERT_TRUE(error.has_value());
        EXPECT_FALSE(error->fileMissing());
        EXPECT_EQ(error->what(), "The layouts file \u201c" + path.string() + "\u201d " + reason);
    }
    EXPECT_TRUE(loadError(folder.path() / "none.json")->fileMissing());
}

TEST(LayoutsFile, ApplicationFolderFollowsXdg) {
    EXPECT_EQ(applicationSupportFolder("/data", "/home/u"), fs::path("/data/Marrowvale"));
    EXPECT_EQ(applicationSupportFolder("", "/home/u"), fs::path("/home/u/.local/share/Marrowvale"));
    EXPECT_EQ(applicationSupportFolder("relative", "/home/u"),
              fs::path("/home/u/.local/share/Marrowvale"));
    EXPECT_EQ(applicationSupportFolder(nullptr, nullptr), std::nullopt);
}
