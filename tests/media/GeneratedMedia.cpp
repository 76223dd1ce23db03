#include "GeneratedMedia.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/textidentificationframe.h>
#include <unistd.h>

namespace marrowvale::testing {

std::filesystem::path GeneratedMedia::make(const std::string& name,
                                           const std::string& arguments) const {
    const std::filesystem::path path = folder_.path() / name;
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

std::filesystem::path GeneratedMedia::colourMovie(const std::string& name) const {
    return make(name, "-f lavfi -i \"nullsrc=s=64x48:r=25:d=1,format=gbrp,"
                      "geq=r='10*N':g='240-10*N':b='mod(N,3)*100'\" -c:v libx264 "
                      "-pix_fmt yuv420p -bf 2 -x264-params keyint=10:min-keyint=10:scenecut=0");
}

std::array<int, 3> GeneratedMedia::frameColour(int n) {
    return {10 * n, 240 - 10 * n, (n % 3) * 100};
}

std::filesystem::path
GeneratedMedia::id3Song(const std::string& name,
                        const std::vector<std::pair<std::string, std::string>>& frames) const {
    const std::filesystem::path path =
        make(name, "-f lavfi -i sine=duration=0.2 -fflags +bitexact -c:a libmp3lame "
                   "-write_id3v2 0");
    TagLib::MPEG::File file(path.c_str());
    TagLib::ID3v2::Tag& tag = *file.ID3v2Tag(true);
    for (const auto& [id, text] : frames) {
        const TagLib::String value(text, TagLib::String::UTF8);
        // The tag owns its frames.
        if (id.starts_with("TXXX:")) {
            tag.addFrame(new TagLib::ID3v2::UserTextIdentificationFrame(
                TagLib::String(id.substr(5), TagLib::String::UTF8), TagLib::StringList(value)));
        } else {
            auto* frame = new TagLib::ID3v2::TextIdentificationFrame(TagLib::ByteVector(id.c_str()),
                                                                     TagLib::String::UTF8);
            frame->setText(value);
            tag.addFrame(frame);
        }
    }
    EXPECT_TRUE(file.save(TagLib::MPEG::File::ID3v2)) << path;
    return path;
}

std::filesystem::path GeneratedMedia::crowdedSong(const std::string& name, int count) const {
    const std::filesystem::path path =
        make(name, "-f lavfi -i sine=duration=0.2 -fflags +bitexact -c:a libmp3lame "
                   "-write_id3v2 0");
    std::string audio;
    {
        std::ifstream in(path, std::ios::binary);
        audio.assign(std::istreambuf_iterator<char>(in), {});
    }
    // ID3v2.3 frames: an ID, a 32-bit big-endian size, two flag bytes, then Latin-1 text
    // (an encoding byte, the description, a zero, the value).
    std::string frames;
    for (int i = 0; i < count; ++i) {
        const std::string text = std::string(1, '\0') + "K" + std::to_string(i) + '\0' + "v";
        frames += "TXXX";
        for (int shift = 24; shift >= 0; shift -= 8) {
            frames += static_cast<char>((text.size() >> shift) & 0xFF);
        }
        frames += std::string(2, '\0') + text;
    }
    // The tag's header: version 2.3, no flags, and the size in four 7-bit bytes.
    std::string header = "ID3\x03";
    header += std::string(2, '\0');
    for (int shift = 21; shift >= 0; shift -= 7) {
        header += static_cast<char>((frames.size() >> shift) & 0x7F);
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << header << frames << audio;
    return path;
}

std::filesystem::path GeneratedMedia::commentedFlac(const std::string& name, int count) const {
    const std::filesystem::path path =
        make(name, "-f lavfi -i sine=duration=0.2 -fflags +bitexact -c:a flac");
    std::string bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    // "fLaC", then metadata blocks (a type byte whose top bit marks the last, a 24-bit
    // big-endian length), then the frames.
    std::string blocks;
    std::size_t position = 4;
    for (bool last = false; !last && position + 4 <= bytes.size();) {
        const auto type = static_cast<unsigned char>(bytes[position]);
        last = (type & 0x80) != 0;
        const std::size_t length = (static_cast<unsigned char>(bytes[position + 1]) << 16) |
                                   (static_cast<unsigned char>(bytes[position + 2]) << 8) |
                                   static_cast<unsigned char>(bytes[position + 3]);
        // Stream information and seek points stay; comments and padding are replaced.
        if ((type & 0x7F) != 4 && (type & 0x7F) != 1) {
            blocks += static_cast<char>(type & 0x7F);
            blocks += bytes.substr(position + 1, 3 + length);
        }
        position += 4 + length;
    }
    // Vorbis comments count in 32-bit little-endian numbers.
    auto little = [](std::string& out, std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            out += static_cast<char>((value >> shift) & 0xFF);
        }
    };
    std::string comments;
    little(comments, 4);
    comments += "test";
    little(comments, static_cast<std::uint32_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::string comment = "K" + std::to_string(i) + "=v";
        little(comments, static_cast<std::uint32_t>(comment.size()));
        comments += comment;
    }
    blocks += static_cast<char>(0x80 | 4);
    for (int shift = 16; shift >= 0; shift -= 8) {
        blocks += static_cast<char>((comments.size() >> shift) & 0xFF);
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        << "fLaC" << blocks << comments << bytes.substr(position);
    return path;
}

std::filesystem::path GeneratedMedia::text(const std::string& name, const std::string& text) const {
    const std::filesystem::path path = folder_.path() / name;
    std::ofstream(path) << text;
    return path;
}

std::vector<pid_t> childProcesses() {
    std::vector<pid_t> children;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        pid_t pid = 0;
        if (std::from_chars(name.data(), name.data() + name.size(), pid).ec != std::errc()) {
            continue;
        }
        // "pid (name) state parent ...": the name may hold anything, so read after its end.
        std::ifstream in(entry.path() / "stat");
        const std::string stat{std::istreambuf_iterator<char>(in), {}};
        const std::size_t nameEnd = stat.rfind(')');
        if (nameEnd == std::string::npos) {
            continue;
        }
        std::istringstream fields(stat.substr(nameEnd + 1));
        char state = 0;
        pid_t parent = 0;
        if (fields >> state >> parent && parent == ::getpid()) {
            children.push_back(pid);
        }
    }
    return children;
}

} // namespace marrowvale::testing
