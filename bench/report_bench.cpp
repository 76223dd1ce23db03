// Times the report of a synthetic 20,000-clip sequence with every column on against a bare
// libxlsxwriter loop that writes the same cell values, and prints both and their ratio. Then
// times the whole road, XMEML import and report, for timelines of 20,000 and 100,000 clips that
// each use a file of their own, and prints how the larger one scales.
#include "app/ReportRequest.h"
#include "model/Asset.h"
#include "model/Composition.h"
#include "model/ModelContext.h"
#include "model/StoryElement.h"
#include "model/VideoTrack.h"
#include "report/ClipSheetColumns.h"
#include "report/ColumnHeading.h"
#include "report/ReportRun.h"
#include "support/BenchHost.h"
#include "xmeml/ProcessXMEML.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fmt/format.h>
#include <string>
#include <variant>
#include <vector>
#include <xlsxwriter.h>

using namespace marrowvale;
namespace fs = std::filesystem;

namespace {

using bench::BenchHost;
using bench::secondsOf;

constexpr int clipCount = 20000;
constexpr int trackCount = 4;
constexpr int rate = 25;

struct Clip {
    std::string name, path, description, scene, take;
    double position, duration, sourceIn, sourceDuration;
};

std::vector<Clip> syntheticClips() {
    std::vector<Clip> clips;
    clips.reserve(clipCount);
    for (int i = 0; i < clipCount; ++i) {
        int file = i / 40;
        clips.push_back({fmt::format("Clip_{:05d}", i),
                         fmt::format("/media/Reel_{:03d}/Clip_{:05d}.mov", file, file),
                         fmt::format("Shot {} of the synthetic timeline", i),
                         fmt::format("{}", 1 + i / 300), fmt::format("{}", 1 + i % 7),
                         static_cast<double>(i) * 25, 100.0, 90000.0 + (i % 1000) * 250.0, 100.0});
    }
    return clips;
}

void buildStore(ModelContext& store, const std::vector<Clip>& clips) {
    Composition* sequence = store.create<Composition>();
    sequence->name = "Synthetic";
    sequence->timecodeFrameRate = "25";
    for (int t = 0; t < trackCount; ++t) {
        sequence->videoTracks.push_back(
            store.create<VideoTrack>(t + 1, fmt::format("V{}", t + 1), true));
    }
    Asset* asset = nullptr;
    for (int i = 0; i < clipCount; ++i) {
        const Clip& clip = clips[i];
        if (i % 40 == 0) {
            asset = store.create<Asset>();
            asset->url = "file://" + clip.path;
            asset->category = Asset::Category::AV;
            asset->frameSize = "1920 X 1080";
        }
        auto* element =
            store.create<StoryElement>(StoryElement::Category::assetclip, i, TrackType::Video, "25",
                                       fmt::format("V{}", i % trackCount + 1));
        element->name = clip.name;
        element->asset = asset;
        element->clipTimelinePosition = clip.position;
        element->clipDuration = clip.duration;
        element->srcInpoint = clip.sourceIn;
        element->srcDuration = clip.sourceDuration;
        element->descriptn = clip.description;
        element->scene = clip.scene;
        element->shottake = clip.take;
        sequence->videoTracks[i % trackCount]->elements.push_back(element);
    }
}

ReportRequest everyColumnRequest() {
    ReportRequest request;
    request.sequenceTitle = "Synthetic";
    request.reportName = "Synthetic - Bench Report";
    request.importState = {InputType::XMEML, ColumnSetKind::xmeml};
    for (const char* key : {"rowNumbers",
                            "thumbnails",
                            "track",
                            "enabled",
                            "in",
                            "out",
                            "duration",
                            "srcReel",
                            "srcIn",
                            "srcOut",
                            "srcDuration",
                            "description",
                            "scene",
                            "shottake",
                            "lognote",
                            "cameraroll",
                            "dailyroll",
                            "labroll",
                            "labels",
                            "framerate",
                            "frameSize",
                            "srcFileName",
                            "srcFilePath",
                            "id3Metadata",
                            "reportSeqTimecode",
                            "reportSeqFrames",
                            "reportSeqFeet+Frames",
                            "reportSeqClock",
                            "reportSeqSeconds",
                            "reportSrcTimecode",
                            "reportSrcFrames",
                            "reportSrcFeet+Frames",
                            "reportSrcClock",
                            "reportSrcSeconds",
                            "useColorText"}) {
        request.options.flags[key] = true;
    }
    request.options.thumbnailWidth = 160;
    return request;
}

// ---- The bare loop: the same cells written with libxlsxwriter directly ----

using CellValue = std::variant<std::monostate, double, std::string>;
struct BareCell {
    CellValue value;
    bool centred;
};

std::string timecode(long long frames) {
    long long seconds = frames / rate;
    return fmt::format("{:02d}:{:02d}:{:02d}:{:02d}", seconds / 3600, seconds / 60 % 60,
                       seconds % 60, frames % rate);
}
std::string clock(long long seconds) {
    return fmt::format("{:02d}:{:02d}:{:02d}", seconds / 3600 % 24, seconds / 60 % 60,
                       seconds % 60);
}
std::string feet(long long frames) {
    return fmt::format("{}+{:02d}", frames / 16, frames % 16);
}

void appendTime(std::vector<BareCell>& row, long long frames, bool rawFrames, double raw,
                bool centredFeet) {
    row.push_back({timecode(frames), false});
    row.push_back({rawFrames ? raw : static_cast<double>(frames), false});
    row.push_back({feet(frames), centredFeet});
    row.push_back({clock(frames / rate), false});
    row.push_back({static_cast<double>(frames / rate), false});
}

std::vector<std::vector<BareCell>> bareRows(const std::vector<Clip>& clips) {
    std::vector<std::vector<BareCell>> rows;
    rows.reserve(clips.size());
    for (std::size_t i = 0; i < clips.size(); ++i) {
        const Clip& clip = clips[i];
        std::vector<BareCell> row;
        row.push_back({static_cast<double>(i + 1), false});
        row.push_back({std::monostate{}, false}); // thumbnail: no picture
        row.push_back({fmt::format("V{}", i % trackCount + 1), false});
        row.push_back({clip.name, false});
        row.push_back({std::string("\u2713"), true});
        auto in = static_cast<long long>(clip.position);
        auto out = static_cast<long long>(clip.position + clip.duration - 1);
        appendTime(row, in, true, clip.position, false);
        appendTime(row, out, true, clip.position + clip.duration - 1, false);
        appendTime(row, static_cast<long long>(clip.duration), false, 0, true);
        appendTime(row, static_cast<long long>(clip.sourceIn), false, 0, true);
        appendTime(row, static_cast<long long>(clip.sourceIn + clip.sourceDuration - 1), false, 0,
                   true);
        appendTime(row, static_cast<long long>(clip.sourceDuration), false, 0, true);
        row.push_back({clip.description, false});
        row.push_back({clip.scene, false});
        row.push_back({clip.take, false});
        row.push_back({std::string("25 fps"), false});
        row.push_back({std::string("1920 X 1080"), false});
        row.push_back({clip.path.substr(clip.path.rfind('/') + 1), false});
        row.push_back({clip.path, false});
        rows.push_back(std::move(row));
    }
    return rows;
}

lxw_format* makeFormat(lxw_workbook* book, bool bold, int align) {
    lxw_format* format = workbook_add_format(book);
    format_set_font_name(format, "Helvetica");
    format_set_font_size(format, 11);
    if (bold) {
        format_set_bold(format);
    }
    format_set_font_color(format, bold ? LXW_COLOR_BLACK : 0x0000FF);
    if (align != 0) {
        format_set_align(format, static_cast<uint8_t>(align));
    }
    return format;
}

void writeBare(const std::string& path, const std::vector<std::vector<BareCell>>& rows) {
    lxw_workbook* book = workbook_new(path.c_str());
    lxw_format* header = makeFormat(book, true, LXW_ALIGN_LEFT);
    lxw_format* plain = makeFormat(book, false, 0);
    lxw_format* centred = makeFormat(book, false, LXW_ALIGN_CENTER);
    lxw_worksheet* sheet = workbook_add_worksheet(book, "All Reels");
    const std::vector<ColumnHeading> headings =
        *clipSheetColumns(ColumnSetKind::xmeml, everyColumnRequest().options);
    std::vector<double> widths = headerWidths(headings);
    for (std::size_t col = 0; col < headings.size(); ++col) {
        worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(col),
                               std::string(trimmedHeaderText(headings[col])).c_str(), header);
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const BareCell& cell = rows[r][c];
            lxw_format* format = cell.centred ? centred : plain;
            auto row = static_cast<lxw_row_t>(r + 1);
            auto col = static_cast<lxw_col_t>(c);
            if (const auto* number = std::get_if<double>(&cell.value)) {
                worksheet_write_number(sheet, row, col, *number, format);
            } else if (const auto* text = std::get_if<std::string>(&cell.value)) {
                worksheet_write_string(sheet, row, col, text->c_str(), format);
                widths[c] = std::max(widths[c], static_cast<double>(text->size()));
            }
        }
    }
    for (std::size_t c = 0; c < widths.size(); ++c) {
        worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), widths[c],
                             nullptr);
    }
    workbook_close(book);
}

// ---- Scaling: the whole road for timelines whose clips each use a file of their own ----

/// An XMEML timeline: one 25 fps sequence "Scaling" whose `clips` clips lie on four video
/// tracks, each clip with a file of its own, and each file with a frame size of its own.
std::string ownFileTimeline(int clips) {
    const std::string rate = "<rate><timebase>25</timebase><ntsc>FALSE</ntsc></rate>";
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xmeml version=\"4\">"
                       "<sequence id=\"scaling\"><name>Scaling</name>" +
                       rate + "<media><video>";
    for (int t = 0; t < trackCount; ++t) {
        text += "<track>";
        for (int i = t; i < clips; i += trackCount) {
            const int start = i / trackCount * 100;
            text += fmt::format(
                "<clipitem id=\"c{0}\"><name>Clip_{0:06d}</name><duration>100</duration>{1}"
                "<start>{2}</start><end>{3}</end><in>10</in><out>110</out>"
                "<file id=\"f{0}\"><name>Clip_{0:06d}.mov</name>"
                "<pathurl>file:///media/Reel_{4:03d}/Clip_{0:06d}.mov</pathurl>{1}"
                "<duration>1000</duration><media><video><samplecharacteristics>"
                "<width>{5}</width><height>1080</height></samplecharacteristics></video>"
                "</media></file></clipitem>\n",
                i, rate, start, start + 100, i / 1000, 1000 + i);
        }
        text += "</track>";
    }
    return text + "</video></media></sequence></xmeml>\n";
}

struct RoadTimes {
    double import = 1e300;
    double report = 1e300;
};

/// Imports and reports the timeline once, every column on, keeping the better times in `best`.
void timeWholeRoad(const std::string& timeline, const std::string& reportPath, RoadTimes& best) {
    ReportRequest request = everyColumnRequest();
    request.sequenceTitle = "Scaling";
    ModelContext store;
    BenchHost host(reportPath);
    best.import = std::min(best.import, secondsOf([&] {
                               if (!processXMEML(store, timeline, host).imported) {
                                   std::fprintf(stderr, "the timeline was not imported\n");
                               }
                           }));
    best.report =
        std::min(best.report, secondsOf([&] {
                     if (createXLSX(store, request, host).status != ReportStatus::written) {
                         std::fprintf(stderr, "the report was not written\n");
                     }
                 }));
}

} // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / "marrowvale-report-bench";
    fs::create_directories(folder);
    const std::vector<Clip> clips = syntheticClips();
    ModelContext store;
    buildStore(store, clips);
    const ReportRequest request = everyColumnRequest();
    const std::string reportPath = (folder / "report.xlsx").string();
    const std::string barePath = (folder / "bare.xlsx").string();
    const std::vector<std::vector<BareCell>> rows = bareRows(clips);

    // Alternate the two so that a busy machine slows both alike; keep the best of each.
    constexpr int runs = 5;
    double report = 1e300, bare = 1e300;
    for (int i = 0; i < runs; ++i) {
        report =
            std::min(report, secondsOf([&] {
                         BenchHost host(reportPath);
                         if (createXLSX(store, request, host).status != ReportStatus::written) {
                             std::fprintf(stderr, "the report was not written\n");
                         }
                     }));
        bare = std::min(bare, secondsOf([&] { writeBare(barePath, rows); }));
    }

    std::printf("report_bench: %d clips, %zu columns, best of %d runs\n", clipCount,
                rows.front().size(), runs);
    std::printf("  report (every column):        %.3f s\n", report);
    std::printf("  bare libxlsxwriter loop:      %.3f s\n", bare);
    std::printf("  ratio report / bare:          %.2f (target <= 1.50)\n", report / bare);

    // Every clip with a file and a format of its own: nothing on the way may look a clip's file
    // or format up by a walk through those met before.
    const std::string smallTimeline = ownFileTimeline(20000);
    const std::string largeTimeline = ownFileTimeline(100000);
    RoadTimes small, large;
    for (int i = 0; i < 3; ++i) {
        timeWholeRoad(smallTimeline, reportPath, small);
        timeWholeRoad(largeTimeline, reportPath, large);
    }
    std::printf("report_bench: whole road, each clip with its own file, best of 3 runs\n");
    std::printf("  20,000 clips:   import %.3f s, report %.3f s\n", small.import, small.report);
    std::printf("  100,000 clips:  import %.3f s, report %.3f s\n", large.import, large.report);
    std::printf("  ratio 100,000 / 20,000:       import %.2f, report %.2f (target <= 6.00)\n",
                large.import / small.import, large.report / small.report);
    std::error_code ignored;
    if (!std::getenv("REPORT_BENCH_KEEP")) {
        fs::remove_all(folder, ignored);
    }
    return 0;
}
