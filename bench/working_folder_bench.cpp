// Times the removal of a report's working folder holding 200,000 one-kilobyte thumbnails, as a
// stopped or finished run leaves it, against std::filesystem::remove_all on the same folder.
// The files are put on disk before each removal, as they are after a long run: removing files
// still only in memory is quick either way.
#include "report/FolderRemoval.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fmt/format.h>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int thumbnailCount = 200000;

// A folder in the temporary folder like a working folder: a workbook and a thumbnails folder.
fs::path fillWorkingFolder() {
    const char* named = std::getenv("TMPDIR");
    std::string pattern =
        ((named != nullptr && *named != '\0' ? fs::path(named) : fs::path("/tmp")) /
         "marrowvale-bench-XXXXXX")
            .string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    const fs::path folder = pattern;
    fs::create_directory(folder / "Thumbnails");
    const std::string picture(1024, 'j');
    for (int row = 1; row <= thumbnailCount; ++row) {
        const fs::path file = folder / "Thumbnails" / fmt::format("{}-Clip_{:06d}.jpg", row, row);
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, picture.data(), picture.size()) < 0) {
            std::abort();
        }
        ::close(fd);
    }
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::syncfs(fd);
    ::close(fd);
    return folder;
}

template <typename Removal>
void timeRemoval(benchmark::State& state, Removal remove) {
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path folder = fillWorkingFolder();
        state.ResumeTiming();
        remove(folder);
        state.PauseTiming();
        if (fs::exists(folder)) {
            state.SkipWithError("the folder is still there");
        }
        state.ResumeTiming();
    }
}

void BM_StandardRemoveAll(benchmark::State& state) {
    timeRemoval(state, [](const fs::path& folder) { fs::remove_all(folder); });
}

void BM_RemoveWorkingFolder(benchmark::State& state) {
    timeRemoval(state, [](const fs::path& folder) { marrowvale::removeFolder(folder); });
}

BENCHMARK(BM_StandardRemoveAll)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_RemoveWorkingFolder)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
