// SIGTERM, SIGINT and SIGHUP end a real `marrowvale` as File > Quit does: through its event
// loop, with its dialogs closed and its socket and runtime folder gone, and then by the signal.
#include "ApplicationProcess.h"
#include "desktop/Desktop.h"
#include "support/ScratchFolder.h"

#include <csignal>
#include <gtest/gtest.h>

using namespace marrowvale;
using namespace marrowvale::testing;
namespace fs = std::filesystem;

namespace {

// Whether a socket lies anywhere in `folder`.
bool holdsSocket(const fs::path& folder) {
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_socket()) {
            return true;
        }
    }
    return false;
}

// Applications without XDG_RUNTIME_DIR, whose socket lies in the runtime folder Qt makes in a
// temporary folder of their own.
class QuitSignalsProcessTest : public ::testing::Test {
protected:
    QuitSignalsProcessTest() {
        fs::create_directories(temporary_);
        environment_.remove("XDG_RUNTIME_DIR");
        environment_.insert("TMPDIR", qtPath(temporary_));
        environment_.insert("XDG_DATA_HOME", qtPath(folder_ / "data"));
    }

    // Starts the application on `arguments` and waits until it listens on its socket.
    std::unique_ptr<RunningApplication> startWindow(const QStringList& arguments,
                                                    const std::function<void()>& inChild = {}) {
        auto window =
            std::make_unique<RunningApplication>(arguments, environment_, folder_, inChild);
        EXPECT_TRUE(waitUntil([this] { return holdsSocket(temporary_); }, 60000)) << window->err();
        return window;
    }

    ScratchFolder scratch_;
    const fs::path folder_ = scratch_.path();
    const fs::path temporary_ = folder_ / "tmp";
    QProcessEnvironment environment_ = QProcessEnvironment::systemEnvironment();
};

} // namespace

TEST_F(QuitSignalsProcessTest, AnIdleWindowEndsByTheSignalAndLeavesNothingBehind) {
    for (int signal : {SIGTERM, SIGHUP}) {
        std::unique_ptr<RunningApplication> window = startWindow({});
        window->send(signal);
        ASSERT_TRUE(window->waitForEnd(30000)) << signal;
        EXPECT_EQ(window->endingSignal(), signal) << window->err();
        // Qt's runtime folder went with the socket in it.
        EXPECT_TRUE(fs::is_empty(temporary_)) << signal;
    }
}

TEST_F(QuitSignalsProcessTest, SignalsIgnoredAtTheStartStayIgnored) {
    // Started under nohup, or in the background by a script: neither the terminal's closing
    // nor an interrupt for the script's foreground ends it.
    std::unique_ptr<RunningApplication> window = startWindow({}, [] {
        std::signal(SIGHUP, SIG_IGN);
        std::signal(SIGINT, SIG_IGN);
    });
    window->send(SIGHUP);
    window->send(SIGINT);
    // A later start's round trip through the window's event loop, long after either signal,
    // had it been caught, would have ended the window.
    RunningApplication later({}, environment_, folder_);
    ASSERT_TRUE(later.waitForEnd(30000)) << "the later start runs alone";
    EXPECT_EQ(later.exitCode(), 0) << later.err();
    window->send(SIGTERM);
    ASSERT_TRUE(window->waitForEnd(30000));
    EXPECT_EQ(window->endingSignal(), SIGTERM) << window->err();
}

TEST_F(QuitSignalsProcessTest, AWindowAskingAQuestionEndsOnSignalsAndLeavesNothingBehind) {
    // The timeline asks at once whether it counts drop-frame.
    fs::copy_file(fs::path(MARROWVALE_SOURCE_DIR) / "samples" / "drop-frame-question.otio",
                  folder_ / "Reel 3.otio");
    std::unique_ptr<RunningApplication> window = startWindow({"Reel 3.otio"});
    turnEventLoop(1000); // for the question to come up
    // An impatient user. Signals pending together arrive lowest number first, so that either
    // may be the one the process ends by.
    window->send(SIGTERM);
    window->send(SIGINT);
    window->send(SIGTERM);
    // Its answer taken as the default, the import ends, and so does the application: within a
    // few seconds, not never.
    ASSERT_TRUE(window->waitForEnd(15000));
    EXPECT_TRUE(window->endingSignal() == SIGTERM || window->endingSignal() == SIGINT)
        << window->endingSignal() << window->err();
    EXPECT_TRUE(fs::is_empty(temporary_));
}
