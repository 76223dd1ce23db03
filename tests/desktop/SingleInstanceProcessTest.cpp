// The socket between a running `marrowvale` and later starts, tried with real processes: flooded
// with idle peers, taken by something else, out of a socket address's reach, met by a start on
// another platform, and reached while the window waits on slow media.
#include "ApplicationProcess.h"
#include "desktop/Desktop.h"
#include "desktop/SingleInstance.h"
#include "media/GeneratedMedia.h"
#include "otio/OTIOTestSupport.h"
#include "support/ScratchFolder.h"

#include <QElapsedTimer>
#include <QLocalSocket>
#include <algorithm>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <pwd.h>
#include <set>
#include <sstream>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace marrowvale;
using namespace marrowvale::testing;
namespace fs = std::filesystem;

namespace {

// Leaves process `pid` about `spare` descriptors beyond those it has open.
void limitDescriptors(qint64 pid, int spare) {
    const fs::path open = "/proc/" + std::to_string(pid) + "/fd";
    rlimit limit{};
    ASSERT_EQ(::prlimit(static_cast<pid_t>(pid), RLIMIT_NOFILE, nullptr, &limit), 0);
    limit.rlim_cur = static_cast<rlim_t>(
        std::distance(fs::directory_iterator(open), fs::directory_iterator()) + spare);
    ASSERT_EQ(::prlimit(static_cast<pid_t>(pid), RLIMIT_NOFILE, &limit, nullptr), 0);
}

// How often `text` occurs in `lines`.
std::size_t occurrences(const std::string& lines, const std::string& text) {
    std::size_t count = 0;
    for (std::size_t at = lines.find(text); at != std::string::npos;
         at = lines.find(text, at + text.size())) {
        ++count;
    }
    return count;
}

std::string contents(const fs::path& file) {
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Applications, started in the samples folder, whose runtime folder is one of the test's own.
class SingleInstanceProcessTest : public ::testing::Test {
protected:
    SingleInstanceProcessTest() {
        useRuntimeFolder(folder_ / "run");
        environment_.insert("XDG_DATA_HOME", qtPath(folder_ / "data"));
    }

    void useRuntimeFolder(const fs::path& folder) {
        fs::create_directories(folder);
        fs::permissions(folder, fs::perms::owner_all); // as Qt wants it
        runtimeFolder_ = folder;
        environment_.insert("XDG_RUNTIME_DIR", qtPath(folder));
    }

    // The socket of an application on this process's platform.
    fs::path socket() const {
        return filesystemPath(SingleInstance::socketPath(qtPath(runtimeFolder_)));
    }

    std::unique_ptr<RunningApplication> start(const QStringList& arguments) {
        return std::make_unique<RunningApplication>(arguments, environment_, sample_.parent_path());
    }

    // Ends `window` as the desktop does at logout.
    static void end(RunningApplication& window) {
        window.send(SIGTERM);
        EXPECT_TRUE(window.waitForEnd(30000));
    }

    ScratchFolder scratch_;
    const fs::path folder_ = scratch_.path();
    const fs::path sample_ = fs::path(MARROWVALE_SOURCE_DIR) / "samples" / "demo-sequence.xml";
    fs::path runtimeFolder_;
    QProcessEnvironment environment_ = QProcessEnvironment::systemEnvironment();
};

} // namespace

TEST_F(SingleInstanceProcessTest, ALaterStartGetsThroughIdlePeersHeldOpen) {
    std::unique_ptr<RunningApplication> first = start({});
    ASSERT_TRUE(waitUntil([this] { return fs::exists(socket()); }, 60000)) << first->err();
    std::vector<std::unique_ptr<QLocalSocket>> peers;
    auto connectPeers = [&](int count) {
        for (int i = 0; i < count; ++i) {
            peers.push_back(std::make_unique<QLocalSocket>());
            peers.back()->connectToServer(qtPath(socket()));
        }
    };
    auto connected = [&peers] {
        return std::count_if(peers.begin(), peers.end(), [](const auto& peer) {
            return peer->state() != QLocalSocket::UnconnectedState;
        });
    };
    // A later start that only asks for the window. It opens nothing, so that nothing but the
    // socket needs descriptors below; and the sanitizers, which need some to check a kind of
    // call the first time, have seen every kind on the way.
    std::unique_ptr<RunningApplication> later = start({});
    ASSERT_TRUE(later->waitForEnd(20000)) << "the later start runs alone\n" << first->err();
    EXPECT_EQ(later->exitCode(), 0) << later->err();

    // With hardly a descriptor to spare, accepting fails: the window keeps listening, pauses
    // accepting rather than spin a core on it, and takes the peers in its queue once
    // descriptors are free again.
    limitDescriptors(first->pid(), 6);
    const double processorBefore = first->processorSeconds();
    QElapsedTimer flood;
    flood.start();
    connectPeers(30);
    turnEventLoop(2000);
    // Spinning, it would take a core's worth (2 s); paused, a hundredth of a second.
    EXPECT_LT(first->processorSeconds() - processorBefore,
              0.1 * static_cast<double>(flood.elapsed()) / 1000);
    peers.clear();
    later = start({});
    ASSERT_TRUE(later->waitForEnd(20000)) << "the later start runs alone\n" << first->err();
    EXPECT_EQ(later->exitCode(), 0) << later->err();

    // Far more idle peers than the window serves at once, with descriptors to spare for them
    // all: those beyond the few it serves are closed at once, so that it never runs short.
    const int spare = 64;
    limitDescriptors(first->pid(), spare);
    connectPeers(100);
    waitUntil([&] { return connected() < spare / 2; }, 10000);
    EXPECT_LT(connected(), spare / 2);
    // A later start, turned away while the few are served, tries again and hands its file over.
    later = start({qtPath(sample_.filename())});
    ASSERT_TRUE(later->waitForEnd(20000)) << "the later start runs alone\n" << first->err();
    EXPECT_EQ(later->exitCode(), 0) << later->err();
    EXPECT_TRUE(first->running());
    end(*first);
}

TEST_F(SingleInstanceProcessTest, AStartThatCannotListenRunsAloneAndSaysWhy) {
    // Qt's stand-in for an unusable runtime folder is no better: others may use it.
    const fs::path temporary = folder_ / "tmp";
    const fs::path standIn =
        temporary / ("runtime-" + std::string(::getpwuid(::geteuid())->pw_name));
    fs::create_directories(standIn);
    fs::permissions(standIn, fs::perms::owner_all | fs::perms::group_all);
    environment_.insert("TMPDIR", qtPath(temporary));

    struct Case {
        const char* what;
        fs::path runtimeFolder;
        std::string said;
        fs::perms permissions = fs::perms::owner_all;
    };
    const Case cases[] = {
        {"a regular file at the socket's path", folder_ / "run", "is not a socket"},
        {"a runtime folder too long for a socket address", folder_ / std::string(100, 'r'),
         "more than the 107 a socket address holds"},
        {"a runtime folder others may use", folder_ / "shared",
         "(XDG_RUNTIME_DIR) nor \u201c" + standIn.string() + "\u201d is a folder",
         fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec},
    };
    for (const Case& c : cases) {
        useRuntimeFolder(c.runtimeFolder);
        fs::permissions(c.runtimeFolder, c.permissions);
        std::ofstream(socket()) << "the user's own";
        std::unique_ptr<RunningApplication> window = start({});
        EXPECT_TRUE(waitUntil(
            [&] { return window->out().find("Running alone") != std::string::npos; }, 30000))
            << c.what << window->out();
        EXPECT_NE(window->out().find(c.said), std::string::npos) << c.what << window->out();
        EXPECT_TRUE(window->running()) << c.what;
        end(*window);
        EXPECT_EQ(contents(socket()), "the user's own") << c.what;
    }
}

TEST_F(SingleInstanceProcessTest, ARuntimeFolderTheWindowMadeGoesWithIt) {
    runtimeFolder_ = folder_ / "missing";
    environment_.insert("XDG_RUNTIME_DIR", qtPath(runtimeFolder_));
    std::unique_ptr<RunningApplication> window = start({});
    ASSERT_TRUE(waitUntil([this] { return fs::exists(socket()); }, 60000)) << window->err();
    end(*window);
    EXPECT_FALSE(fs::exists(runtimeFolder_));
}

TEST_F(SingleInstanceProcessTest, AStartOnAnotherPlatformOpensAWindowOfItsOwn) {
    // Each platform and display has a socket of its own; the same one, the same socket.
    const QString folder = qtPath(runtimeFolder_);
    const QString names[] = {
        SingleInstance::socketPath(folder, "xcb", ":0"),
        SingleInstance::socketPath(folder, "xcb", ":1"),
        SingleInstance::socketPath(folder, "wayland", "wayland-0"),
        SingleInstance::socketPath(folder, "wayland", "wayland-1"),
        SingleInstance::socketPath(folder, "offscreen", ""),
    };
    EXPECT_EQ(std::set<QString>(std::begin(names), std::end(names)).size(), std::size(names));
    EXPECT_EQ(SingleInstance::socketPath(folder, "xcb", ":1"), names[1]);
    EXPECT_EQ(SingleInstance::socketPath(folder), names[4]);

    // This process listens as a window on the offscreen platform would.
    SingleInstance first(qtPath(socket()));
    ASSERT_TRUE(first.listen());
    bool handedOver = false;
    QObject::connect(&first, &SingleInstance::filesHandedOver, [&] { handedOver = true; });

    environment_.insert("QT_QPA_PLATFORM", "minimal");
    std::unique_ptr<RunningApplication> later = start({qtPath(sample_.filename())});
    auto sockets = [this] {
        return std::count_if(fs::directory_iterator(runtimeFolder_), fs::directory_iterator(),
                             [](const fs::directory_entry& entry) { return entry.is_socket(); });
    };
    // It listens on a socket of its own rather than end.
    EXPECT_TRUE(waitUntil([&] { return sockets() == 2 || !later->running(); }, 60000));
    EXPECT_TRUE(later->running());
    EXPECT_EQ(sockets(), 2);
    EXPECT_FALSE(handedOver);
    end(*later);
}

// A window importing a timeline whose media takes each helper its whole time limit (two rounds
// of them on every core) still answers a later start at once, opens the handed-over file once
// the import is over, and ends within moments when told to during another such import.
TEST_F(SingleInstanceProcessTest, AWindowWaitingOnSlowMediaAnswersAndStopsAtOnce) {
    const GeneratedMedia media;
    const fs::path slow = media.commentedFlac("slow.flac", 200'000);
    json slowClips = json::array();
    for (unsigned i = 0; i < 2 * std::max(1u, std::thread::hardware_concurrency()); ++i) {
        // Copies, not links: a file is given up on once under all its names.
        const fs::path copy = media.folder() / ("slow" + std::to_string(i) + ".flac");
        fs::copy_file(slow, copy);
        slowClips.push_back(clip("Slow", "file://" + copy.string(), 0, 30, 25));
    }
    const fs::path slowTimeline = folder_ / "slow.otio";
    std::ofstream(slowTimeline) << timeline({track("Video", slowClips)}, 25).dump();
    const fs::path plain = media.movie("plain.mov", "25", "10:00:00:00");
    const fs::path handed = folder_ / "handed.otio";
    std::ofstream(handed)
        << timeline({track("Video", {clip("Plain", "file://" + plain.string(), 0, 10, 25)})}, 25)
               .dump();

    std::unique_ptr<RunningApplication> first = start({qtPath(slowTimeline)});
    ASSERT_TRUE(waitUntil([this] { return fs::exists(socket()); }, 60000)) << first->err();
    turnEventLoop(1500); // well into the import's first round of time limits

    // The later start has its receipt long before the import ends; the file waits for it.
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, handed.c_str(), IN_OPEN), 0);
    std::unique_ptr<RunningApplication> later = start({qtPath(handed)});
    ASSERT_TRUE(later->waitForEnd(30000)) << "the later start runs alone\n" << later->err();
    EXPECT_EQ(later->exitCode(), 0) << later->err();
    char events[4096];
    EXPECT_TRUE(waitUntil([&] { return ::read(watch, events, sizeof events) > 0; }, 60000))
        << "the handed-over file was never opened";
    ::close(watch);

    // A signal during another slow import ends the window without waiting for its media.
    later = start({qtPath(slowTimeline)});
    ASSERT_TRUE(later->waitForEnd(30000)) << later->err();
    turnEventLoop(1500);
    QElapsedTimer ending;
    ending.start();
    end(*first);
    EXPECT_LT(ending.elapsed(), 5000); // the import had seconds of media still to wait for
    EXPECT_EQ(first->endingSignal(), SIGTERM) << first->err();
    EXPECT_EQ(occurrences(first->out(), plain.string() + ": detected"), 1u) << first->out();
}
