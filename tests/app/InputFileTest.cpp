#include "app/InputFile.h"

#include "support/ScratchFolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

using namespace marrowvale;
namespace fs = std::filesystem;

namespace {

class InputFileTest : public ::testing::Test {
protected:
    marrowvale::testing::ScratchFolder scratch_;
    const fs::path folder_ = scratch_.path();
};

} // namespace

TEST_F(InputFileTest, OnlyRegularFilesUnderTheLimitAreOpened) {
    ::mkfifo((folder_ / "pipe").c_str(), 0600);
    fs::create_symlink("/dev/zero", folder_ / "zero.xml");
    fs::create_directory(folder_ / "folder.xml");
    std::ofstream(folder_ / "ten") << "0123456789";
    struct Case {
        fs::path path;
        std::uint64_t limit;
        std::string reason; // empty: opened
    };
    const Case cases[] = {
        {folder_ / "pipe", 100, "It is a named pipe (FIFO), not a regular file"},
        {folder_ / "zero.xml", 100, "It is a device, not a regular file"},
        {folder_ / "folder.xml", 100, "Is a directory"},
        {folder_ / "missing", 100, "No such file or directory"},
        {folder_ / "ten", 10, "It holds 10 bytes; files of 10 bytes or more are not read"},
        {folder_ / "ten", 11, ""},
    };
    for (const Case& c : cases) {
        try {
            InputFile file(c.path, c.limit);
            EXPECT_EQ(c.reason, "") << c.path;
            EXPECT_EQ(file.size(), 10u);
        } catch (const InputFileError& error) {
            EXPECT_EQ(error.what(), c.reason) << c.path;
        }
    }
    EXPECT_EQ(byteSizeText(std::uint64_t{1} << 31), "2.0 GiB");
    EXPECT_EQ(byteSizeText(16 * 1024 * 1024 + 512 * 1024), "16.5 MiB");
}

TEST_F(InputFileTest, ReadsInChunksNoFurtherThanTheSizeChecked) {
    const fs::path path = folder_ / "growing";
    std::ofstream(path) << "0123456789";
    InputFile file(path, InputFile::timelineSizeLimit);
    std::ofstream(path, std::ios::app) << "more";
    char buffer[4];
    std::string read;
    for (std::size_t count; (count = file.read(buffer, sizeof buffer)) > 0;) {
        read.append(buffer, count);
    }
    EXPECT_EQ(read, "0123456789");
    EXPECT_EQ(InputFile(path, 100).readAll(), "0123456789more");
}
