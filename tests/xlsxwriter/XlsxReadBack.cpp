#include "XlsxReadBack.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>
#include <vector>
#include <zlib.h>

namespace marrowvale::testing {

namespace {

constexpr const char* python = "/usr/bin/python3";

// Prints what openpyxl reads from the workbook as one JSON document.
constexpr const char* dumpScript = R"PY(
import json, sys, warnings
warnings.simplefilter("ignore")
import openpyxl

def color(c):
    return c.rgb if c is not None and isinstance(c.rgb, str) else None

wb = openpyxl.load_workbook(sys.argv[1])
out = {"sheets": {}, "order": wb.sheetnames}
for name in wb.sheetnames:
    ws = wb[name]
    sheet = {"kind": type(ws).__name__, "state": ws.sheet_state}
    if hasattr(ws, "_cells"):
        cells = {}
        for (r, c), cell in ws._cells.items():
            v = cell.value
            if hasattr(v, "isoformat"):
                v = v.isoformat()
            cells[cell.coordinate] = {
                "value": v, "type": cell.data_type,
                "font": cell.font.name, "size": cell.font.sz, "bold": bool(cell.font.b),
                "italic": bool(cell.font.i), "color": color(cell.font.color),
                "align": cell.alignment.horizontal, "valign": cell.alignment.vertical,
                "fill": color(cell.fill.fgColor) if cell.fill.fill_type == "solid" else None,
                "border": cell.border.left.style, "numFormat": cell.number_format,
                "rotation": cell.alignment.textRotation, "shrink": bool(cell.alignment.shrinkToFit),
                "link": cell.hyperlink.target if cell.hyperlink else None,
                "comment": cell.comment.text if cell.comment else None}
        sheet["cells"] = cells
        sheet["widths"] = {k: d.width for k, d in ws.column_dimensions.items() if d.customWidth}
        sheet["hidden"] = {k: True for k, d in ws.column_dimensions.items() if d.hidden}
        sheet["heights"] = {str(k): d.ht for k, d in ws.row_dimensions.items() if d.ht is not None}
        sheet["merged"] = [str(r) for r in ws.merged_cells.ranges]
        sheet["autofilter"] = ws.auto_filter.ref
        sheet["printArea"] = ws.print_area
        sheet["tables"] = {t.name: {"ref": t.ref, "style": t.tableStyleInfo.name,
                                    "headers": [c.name for c in t.tableColumns],
                                    "totals": t.totalsRowCount}
                           for t in ws.tables.values()}
        sheet["tabColor"] = color(ws.sheet_properties.tabColor)
        sheet["paper"] = ws.page_setup.paperSize
        sheet["gridlines"] = ws.sheet_view.showGridLines
    out["sheets"][name] = sheet
print(json.dumps(out))
)PY";

struct PipeCloser {
    void operator()(FILE* pipe) const noexcept { pclose(pipe); }
};

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

ScratchFolder::ScratchFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("marrowvale-xlsx-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

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

bool openpyxlAvailable() {
    const std::string command = std::string(python) + " -c 'import openpyxl' 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

nlohmann::json readBack(const std::string& workbookPath) {
    const std::filesystem::path script =
        std::filesystem::path(workbookPath).parent_path() / "dump_workbook.py";
    std::ofstream(script) << dumpScript;
    const std::string command =
        std::string(python) + " '" + script.string() + "' '" + workbookPath + "'";
    std::unique_ptr<FILE, PipeCloser> pipe(popen(command.c_str(), "r"));
    if (!pipe) {
        throw std::runtime_error("cannot start python");
    }
    std::string output;
    std::array<char, 4096> buffer{};
    std::size_t count = 0;
    while ((count = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0) {
        output.append(buffer.data(), count);
    }
    if (output.empty()) {
        throw std::runtime_error("openpyxl could not read " + workbookPath);
    }
    return nlohmann::json::parse(output);
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
