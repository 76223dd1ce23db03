#include "GeneratedMedia.h"
#include "app/FileDescriptor.h"
#include "media/CodecContext.h"
#include "media/FormatContext.h"
#include "media/Frame.h"
#include "media/MediaError.h"
#include "media/MediaFile.h"
#include "media/Packet.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <array>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace marrowvale::testing {
namespace {

// The exit status of a child that could not make the namespaces it mounts in.
constexpr int kNoNamespaces = 2;

// Writes `text` to `path`; false when it cannot.
bool writeFile(const char* path, const std::string& text) {
    const FileDescriptor file(::open(path, O_WRONLY | O_CLOEXEC));
    return file.get() >= 0 &&
           ::write(file.get(), text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

// In a forked child: mounts /proc at `proc` and a sysfs at `sys` in user, mount and network
// namespaces of its own (the network one lets it mount sysfs), and opens a file of each as
// media. 0 when both were refused as system files, 1 when one was opened, kNoNamespaces when
// the namespaces or mounts could not be made.
int refusedWhereMounted(const std::filesystem::path& proc, const std::filesystem::path& sys) {
    const uid_t user = ::getuid();
    const gid_t group = ::getgid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS | CLONE_NEWNET) != 0 ||
        !writeFile("/proc/self/setgroups", "deny") ||
        !writeFile("/proc/self/uid_map", "0 " + std::to_string(user) + " 1") ||
        !writeFile("/proc/self/gid_map", "0 " + std::to_string(group) + " 1") ||
        ::mount("/proc", proc.c_str(), nullptr, MS_BIND | MS_REC, nullptr) != 0 ||
        ::mount("sysfs", sys.c_str(), "sysfs", 0, nullptr) != 0) {
        return kNoNamespaces;
    }
    for (const std::filesystem::path& file : {proc / "self/status", sys / "kernel/uevent_seqnum"}) {
        try {
            MediaFile::open(file);
            return 1;
        } catch (const MediaError& error) {
            if (std::string(error.what()).find("a system file") == std::string::npos) {
                return 1;
            }
        }
    }
    return 0;
}

// The owned handles decode a movie's first picture end to end.
TEST(FFmpegLayer, DecodesTheFirstPicture) {
    const GeneratedMedia media;
    FormatContext file = FormatContext::open(media.movie("24.mov", "24", "01:00:00:00"));
    ASSERT_TRUE(file.findStreamInfo());
    const int videoIndex = av_find_best_stream(file.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    ASSERT_GE(videoIndex, 0);
    CodecContext decoder = CodecContext::openDecoder(
        *file.stream(static_cast<unsigned>(videoIndex)), ProbeLimits{}.maxPicturePixels);

    Packet packet;
    Frame frame;
    bool decoded = false;
    while (!decoded && file.readPacket(packet)) {
        if (packet.streamIndex() == videoIndex) {
            decoder.sendPacket(packet);
            decoded = decoder.receiveFrame(frame) == CodecContext::Received::frame;
        }
    }
    if (!decoded) {
        decoder.sendEndOfStream();
        decoded = decoder.receiveFrame(frame) == CodecContext::Received::frame;
    }
    ASSERT_TRUE(decoded);
    EXPECT_EQ(frame.get()->width, 32);
    EXPECT_EQ(frame.get()->height, 24);
}

// Media is opened without waiting, and only when what the name leads to is a regular file
// outside the system's folders; reads go to what was opened, whatever the name names later.
TEST(FFmpegLayer, MediaFilesAreCheckedAsOpened) {
    namespace fs = std::filesystem;
    const GeneratedMedia media;
    const fs::path movie = media.movie("24.mov", "24", "");
    const fs::path pipe = media.folder() / "pipe.mov";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const fs::path kernelFile = media.folder() / "status.mov";
    fs::create_symlink("/proc/self/status", kernelFile);
    const fs::path shared = "/dev/shm/marrowvale-" + std::to_string(::getpid()) + ".mov";
    // Links with harmless names: where they lead decides. A socket cannot be opened at all, so
    // only a look before any open can tell what it is.
    const fs::path sharedLink = media.folder() / "shared.mov";
    fs::create_symlink(shared, sharedLink);
    const fs::path deviceLink = media.folder() / "null.mov";
    fs::create_symlink("/dev/null", deviceLink);
    const fs::path socketPath = media.folder() / "socket";
    const FileDescriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.string().copy(address.sun_path, sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)),
              0);
    const fs::path socketLink = media.folder() / "socket.mov";
    fs::create_symlink(socketPath, socketLink);
    // A regular file of a memory file system, under /dev all the same.
    fs::copy_file(movie, shared);

    struct Case {
        fs::path path;
        std::string refusal; // empty: opened
    };
    const Case cases[] = {
        {movie, ""},
        {media.folder() / "missing.mov", "No such file or directory"},
        {media.folder(), "a folder, not a regular file"},
        {pipe, "a named pipe, not a regular file"}, // no writer: an open that waited would hang
        {"/proc/self/status", "a system file"},
        {kernelFile, "a system file"},
        {shared, "a system file"},
        {"/dev/null", "a system file"},
        {sharedLink, "a system file"},
        {deviceLink, "a device, not a regular file"},
        {socketLink, "a socket, not a regular file"},
    };
    for (const Case& c : cases) {
        try {
            const MediaFile file = MediaFile::open(c.path);
            EXPECT_EQ(c.refusal, "") << c.path;
            EXPECT_EQ(file.size(), static_cast<std::int64_t>(fs::file_size(c.path)));
        } catch (const MediaError& error) {
            EXPECT_NE(c.refusal, "") << error.what();
            EXPECT_NE(std::string(error.what()).find(c.refusal), std::string::npos) << error.what();
        }
    }
    fs::remove(shared);

    // A pipe stands for a device that acts when opened: the link to it is refused, and nothing
    // opened it.
    const fs::path pipeLink = media.folder() / "pipe link.mov";
    fs::create_symlink(pipe, pipeLink);
    const FileDescriptor watch(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    ASSERT_GE(::inotify_add_watch(watch.get(), pipe.c_str(), IN_OPEN), 0);
    EXPECT_THROW(MediaFile::open(pipeLink), MediaError);
    std::array<char, 256> event{};
    EXPECT_LT(::read(watch.get(), event.data(), event.size()), 0) << "the pipe was opened";

    const fs::path swapped = media.folder() / "swapped.mov";
    fs::copy_file(movie, swapped);
    const MediaFile opened = MediaFile::open(swapped);
    fs::rename(pipe, swapped);
    std::array<char, 8> bytes{};
    ASSERT_EQ(opened.readAt(4, bytes.data(), bytes.size()), bytes.size());
    EXPECT_EQ(std::string(bytes.data(), 4), "ftyp");

    // The kernel's file systems are known by what they are, not where they are mounted: a
    // child mounts them elsewhere in namespaces of its own, and their files are refused there.
    const fs::path proc = media.folder() / "elsewhere-proc";
    const fs::path sys = media.folder() / "elsewhere-sys";
    fs::create_directory(proc);
    fs::create_directory(sys);
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(refusedWhereMounted(proc, sys));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == kNoNamespaces) {
        GTEST_SKIP() << "no user namespaces to mount the kernel's file systems in";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a kernel file mounted elsewhere was opened";
}

} // namespace
} // namespace marrowvale::testing
