// Times 300 thumbnails 160 pixels wide from a generated 1080p H.264 movie with a key frame
// every 250 frames: made by the media library on N workers, and made by the ffmpeg
// command-line tool, one process per picture, N processes at a time. Prints both and their
// ratio. Then times the report of a 300-clip timeline on that movie with and without
// thumbnails. N is the first argument, by default the number of cores.
#include "app/ReportRequest.h"
#include "media/MediaLibraryMessages.h"
#include "media/ThumbnailBatch.h"
#include "model/ModelContext.h"
#include "report/ReportRun.h"
#include "services/ClipMediaProbe.h"
#include "support/BenchHost.h"
#include "support/Random.h"
#include "support/ScratchFolder.h"
#include "xmeml/ProcessXMEML.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fmt/format.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

using namespace marrowvale;
namespace fs = std::filesystem;

namespace {

using bench::BenchHost;
using bench::secondsOf;

constexpr int thumbnailCount = 300;
constexpr int width = 160;
constexpr int rate = 25;
constexpr int movieSeconds = 180;

bool run(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

/// Runs every argument list as a process, at most `parallel` at a time; false when one fails.
bool runInParallel(const std::vector<std::vector<std::string>>& commands, unsigned parallel) {
    bool allSucceeded = true;
    unsigned running = 0;
    auto waitForOne = [&] {
        int status = 0;
        if (::wait(&status) > 0) {
            --running;
            allSucceeded = allSucceeded && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
    };
    for (const std::vector<std::string>& command : commands) {
        if (running == parallel) {
            waitForOne();
        }
        std::vector<char*> arguments;
        for (const std::string& argument : command) {
            arguments.push_back(const_cast<char*>(argument.c_str()));
        }
        arguments.push_back(nullptr);
        pid_t child = 0;
        if (::posix_spawnp(&child, arguments[0], nullptr, nullptr, arguments.data(), environ) !=
            0) {
            return false;
        }
        ++running;
    }
    while (running > 0) {
        waitForOne();
    }
    return allSucceeded;
}

/// A sequence of one-second clips of the movie, one per source frame.
std::string timeline(const fs::path& movie, const std::vector<int>& frames) {
    const std::string rateElement = "<rate><timebase>25</timebase><ntsc>FALSE</ntsc></rate>";
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xmeml version=\"4\">"
                       "<sequence id=\"s\"><name>Thumbnails</name>" +
                       rateElement + "<media><video><track>";
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const int start = static_cast<int>(i) * rate;
        std::string file = "<file id=\"movie\"/>";
        if (i == 0) {
            file = fmt::format("<file id=\"movie\"><name>movie.mp4</name><pathurl>file://localhost"
                               "{}</pathurl>{}<duration>{}</duration><media><video/></media>"
                               "</file>",
                               movie.string(), rateElement, movieSeconds * rate);
        }
        text +=
            fmt::format("<clipitem id=\"c{}\"><name>Shot {}</name>{}<start>{}</start>"
                        "<end>{}</end><in>{}</in><out>{}</out>{}</clipitem>\n",
                        i, i, rateElement, start, start + rate, frames[i], frames[i] + rate, file);
    }
    return text + "</track></video></media></sequence></xmeml>\n";
}

} // namespace

int main(int argc, char** argv) {
    silenceMediaLibraryMessages();
    const unsigned parallel = argc > 1 ? static_cast<unsigned>(std::max(1, std::atoi(argv[1])))
                                       : std::max(1u, std::thread::hardware_concurrency());
    const testing::ScratchFolder scratch;
    const fs::path& folder = scratch.path();
    const fs::path movie = folder / "movie.mp4";
    std::printf("thumbnail_bench: making a %d-second 1080p H.264 movie ...\n", movieSeconds);
    std::fflush(stdout);
    if (!run(fmt::format("ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi "
                         "-i testsrc2=size=1920x1080:rate={} -t {} -c:v libx264 -preset veryfast "
                         "-g 250 -keyint_min 250 -sc_threshold 0 -pix_fmt yuv420p '{}'",
                         rate, movieSeconds, movie.string()))) {
        std::fprintf(stderr, "thumbnail_bench: the ffmpeg tool could not make the movie\n");
        return 1;
    }

    bench::Random random(18);
    std::vector<int> frames;
    for (int i = 0; i < thumbnailCount; ++i) {
        frames.push_back(random.between(0, movieSeconds * rate - 1));
    }

    std::vector<ThumbnailJob> jobs;
    std::vector<std::vector<std::string>> commands;
    const fs::path ours = folder / "ours";
    const fs::path tool = folder / "tool";
    fs::create_directories(ours);
    fs::create_directories(tool);
    for (int frame : frames) {
        const std::string name = fmt::format("{:05d}-{}.jpg", jobs.size(), frame);
        jobs.push_back({movie, frame, rate, width, ours / name});
        commands.push_back({"ffmpeg", "-nostdin", "-loglevel", "error", "-y", "-ss",
                            fmt::format("{}.{:02d}", frame / rate, (frame % rate) * 4), "-i",
                            movie.string(), "-frames:v", "1", "-vf",
                            fmt::format("scale={}:-1", width), (tool / name).string()});
    }

    // Alternate the two so that a busy machine slows both alike; keep the best of each.
    constexpr int runs = 2;
    double library = 1e300;
    double commandLine = 1e300;
    for (int i = 0; i < runs; ++i) {
        library =
            std::min(library, secondsOf([&] {
                         const auto heights = makeThumbnailFiles(jobs, {.workers = parallel});
                         if (std::count(heights.begin(), heights.end(), 90) != thumbnailCount) {
                             std::fprintf(stderr, "thumbnail_bench: pictures missing\n");
                         }
                     }));
        commandLine = std::min(commandLine, secondsOf([&] {
                                   if (!runInParallel(commands, parallel)) {
                                       std::fprintf(stderr, "thumbnail_bench: ffmpeg failed\n");
                                   }
                               }));
    }
    std::printf("thumbnail_bench: %d thumbnails %d px wide, %u at a time, best of %d runs\n",
                thumbnailCount, width, parallel, runs);
    std::printf("  media library:                %.3f s\n", library);
    std::printf("  ffmpeg tool, one per picture: %.3f s\n", commandLine);
    std::printf("  ratio library / tool:         %.2f (target <= 0.50)\n", library / commandLine);

    // The whole report of a timeline of those 300 clips.
    const std::string xml = timeline(movie, frames);
    const std::string reportPath = (folder / "report.xlsx").string();
    double withPictures = 1e300;
    double without = 1e300;
    for (int i = 0; i < runs; ++i) {
        for (int pictureWidth : {width, 0}) {
            ModelContext store;
            BenchHost host(reportPath);
            const XMEMLImportResult imported = processXMEML(store, xml, host);
            ReportRequest request;
            request.sequenceTitle = "Thumbnails";
            request.reportName = "Thumbnails Report";
            request.importState = {imported.inputType, ColumnSetKind::xmeml};
            request.options.flags = {{"thumbnails", pictureWidth > 0}};
            request.options.thumbnailWidth = pictureWidth;
            ClipMediaProbe probe(nullptr, {.workers = parallel});
            ReportServices services;
            services.mediaProbe = &probe;
            double& best = pictureWidth > 0 ? withPictures : without;
            best = std::min(best, secondsOf([&] {
                                if (createXLSX(store, request, host, services).status !=
                                    ReportStatus::written) {
                                    std::fprintf(stderr, "thumbnail_bench: no report\n");
                                }
                            }));
        }
    }
    std::printf("thumbnail_bench: report of %d clips of that movie, best of %d runs\n",
                thumbnailCount, runs);
    std::printf("  with thumbnails:              %.3f s\n", withPictures);
    std::printf("  without thumbnails:           %.3f s\n", without);
    return 0;
}
