// OTIO import under hostile bytes: the real reader fills a real store through a silent host.
// A refused file must alert and store nothing; an imported one must have its one bin and
// sequence, a progress bar that ends full, and a store the report can walk. Media probing is
// answered without opening files (it has a harness of its own), so that addresses the fuzzer
// invents never reach the media library.
#include "StoreWalk.h"
#include "app/ReaderHost.h"
#include "otio/ProcessOTIO.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace marrowvale;

// Shows nothing, answers every question the same way and follows the progress bar.
class SilentHost : public ReaderHost {
public:
    explicit SilentHost(bool answer) : answer_(answer) {}
    void startProgress(double maxValue) override {
        ++starts;
        maximum = maxValue;
        value = 0.5;
    }
    void updateProgress(double incrementBy) override { value += incrementBy; }
    void showAlert(const std::string&, const std::string&) override { ++alerts; }
    bool askYesNo(const std::string&, const std::string&) override { return answer_; }
    void logDiagnostic(const std::string&) override {}

    int alerts = 0;
    int starts = 0;
    double maximum = 0;
    double value = 0;

private:
    bool answer_;
};

// Media probing by the path's length: some files have no video track, some a drop-frame rate.
std::vector<MediaFileProbe> fakeProbe(const std::vector<std::filesystem::path>& paths) {
    std::vector<MediaFileProbe> probes(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::size_t length = paths[i].native().size();
        probes[i].videoTrackCount = static_cast<int>(length % 3);
        if (length % 2 == 0) {
            probes[i].timecodeFrameRate = dovovevozav::TimecodeFrameRate::fps29_97d;
        }
    }
    return probes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ModelContext store;
    SilentHost host(size % 2 == 0);
    // Every third input comes with the caller's drop-frame hint.
    const std::optional<bool> hint =
        size % 3 == 0 ? std::optional<bool>(size % 6 == 0) : std::nullopt;
    const bool imported =
        processOTIODocument(store, bytes, "fuzz.otio", hint, 100.0, 2000.0, host, fakeProbe);
    if (!imported) {
        if (host.alerts == 0 || !fuzzing::isEmpty(store)) {
            std::abort();
        }
        return 0;
    }
    if (host.alerts != 0 || host.starts != 1 || store.count<EventBin>() != 1 ||
        store.count<Composition>() != 1 ||
        std::abs(host.value - host.maximum) > 1e-6 * std::max(1.0, host.maximum)) {
        std::abort();
    }
    fuzzing::readStore(store);
    return 0;
}
