// marrowvale-media-probe: the process the application reads media files in. It answers the
// application's requests one at a time on descriptor 3 until the connection closes; the
// application kills it when an answer is late, so a file that keeps the media libraries busy
// takes nothing else with it. Started with the parent's process id and the memory it may take
// in bytes; it ends with the parent, and with MediaProbeWork::outOfMemoryStatus when a file
// needs more memory than that.
#include "media/MediaLibraryMessages.h"
#include "media/MediaProbeWork.h"
#include "media/MemoryCap.h"
#include "media/ProbeChannel.h"

#include <charconv>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <malloc.h>
#include <sys/prctl.h>
#include <unistd.h>

int main(int argc, char** argv) {
    pid_t parent = 0;
    std::int64_t memoryBytes = 0;
    if (argc != 3 ||
        std::from_chars(argv[1], argv[1] + std::strlen(argv[1]), parent).ec != std::errc() ||
        std::from_chars(argv[2], argv[2] + std::strlen(argv[2]), memoryBytes).ec != std::errc()) {
        return 2;
    }
    // A parent that ends (or ended before this line) takes the helper with it.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) {
        return 1;
    }
    marrowvale::silenceMediaLibraryMessages();
    // Memory freed after one file is kept for the next rather than handed back to the system
    // and faulted in again: with a helper on every core, those faults cost more than the reading.
    ::mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
    const marrowvale::MemoryCap cap(memoryBytes);
    marrowvale::ProbeChannel channel(3);
    marrowvale::MediaProbeWork work;
    while (const auto request = channel.receive()) {
        if (!channel.send(work.answer(*request))) {
            break;
        }
    }
    return 0;
}
