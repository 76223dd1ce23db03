#include "GeneratedMedia.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace marrowvale::testing {

GeneratedMedia::GeneratedMedia() {
    std::string pattern = (std::filesystem::temp_directory_path() / "media-tests-XXXXXX").string();
    folder_ = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

GeneratedMedia::~GeneratedMedia() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::filesystem::path GeneratedMedia::make(const std::string& name,
                                           const std::string& arguments) const {
    const std::filesystem::path path = folder_ / name;
    const std::string command =
        "ffmpeg -nostdin -hide_banner -loglevel error -y " + arguments + " '" + path.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return path;
}

std::filesystem::path GeneratedMedia::movie(const std::string& name, const std::string& rate,
                                            const std::string& timecode, double seconds) const {
    std::ostringstream arguments;
    arguments << "-f lavfi -i testsrc=size=32x24:rate=" << rate << " -t " << seconds
              << " -c:v mpeg4";
    if (!timecode.empty()) {
        arguments << " -timecode '" << timecode << "'";
    }
    return make(name, arguments.str());
}

std::filesystem::path GeneratedMedia::text(const std::string& name, const std::string& text) const {
    const std::filesystem::path path = folder_ / name;
    std::ofstream(path) << text;
    return path;
}

} // namespace marrowvale::testing
