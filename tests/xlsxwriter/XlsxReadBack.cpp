#include "XlsxReadBack.h"

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <vector>
#include <zlib.h>

namespace marrowvale::testing {

namespace {

std::uint32_t le32(const std::string& data, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<std::uint8_t>(data.at(at + static_cast<std::size_t>(i)));
    }
    return value;
}

std::uint16_t le16(const std::string& data, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(data.at(at)) |
                                      (static_cast<std::uint8_t>(data.at(at + 1)) << 8));
}

std::string inflateRaw(const std::string& compressed, std::size_t size) {
    std::string out(size, '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) {
        throw std::runtime_error("inflateInit2 failed");
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    stream.avail_in = static_cast<uInt>(compressed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    if (result != Z_STREAM_END) {
        throw std::runtime_error("zip member does not inflate");
    }
    return out;
}

void appendChunk(std::string& png, const std::string& type, const std::string& data) {
    const auto put32 = [&png](std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            png.push_back(static_cast<char>((v >> shift) & 0xFF));
        }
    };
    put32(static_cast<std::uint32_t>(data.size()));
    const std::string body = type + data;
    png += body;
    put32(static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

} // namespace

std::optional<std::string> readZipMember(const std::string& zipPath, const std::string& member) {
    std::ifstream in(zipPath, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t end = data.rfind(std::string("PK\x05\x06", 4));
    if (end == std::string::npos) {
        return std::nullopt;
    }
    const std::uint16_t count = le16(data, end + 10);
    std::size_t at = le32(data, end + 16);
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::uint16_t method = le16(data, at + 10);
        const std::uint32_t compressedSize = le32(data, at + 20);
        const std::uint32_t size = le32(data, at + 24);
        const std::uint16_t nameLength = le16(data, at + 28);
        const std::uint16_t extraLength = le16(data, at + 30);
        const std::uint16_t commentLength = le16(data, at + 32);
        const std::uint32_t local = le32(data, at + 42);
        const std::string name = data.substr(at + 46, nameLength);
        if (name == member) {
            const std::size_t start = local + 30 + le16(data, local + 26) + le16(data, local + 28);
            const std::string stored = data.substr(start, compressedSize);
            return method == 0 ? stored : inflateRaw(stored, size);
        }
        at += 46 + nameLength + extraLength + commentLength;
    }
    return std::nullopt;
}

std::string tinyPng(unsigned width, unsigned height) {
    std::string header;
    for (const std::uint32_t v : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            header.push_back(static_cast<char>((v >> shift) & 0xFF));
        }
    }
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8-bit RGB, no interlace

    std::string pixels;
    for (unsigned y = 0; y < height; ++y) {
        pixels.push_back('\0'); // filter: none
        for (unsigned x = 0; x < width; ++x) {
            pixels += std::string("\xFF\x00\x00", 3);
        }
    }
    std::vector<Bytef> packed(compressBound(static_cast<uLong>(pixels.size())));
    uLongf packedSize = static_cast<uLongf>(packed.size());
    compress(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(pixels.data()),
             static_cast<uLong>(pixels.size()));

    std::string png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", std::string(reinterpret_cast<const char*>(packed.data()), packedSize));
    appendChunk(png, "IEND", "");
    return png;
}

} // namespace marrowvale::testing
