#include "desktop/LocalListener.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

namespace marrowvale {

namespace {

// How long accepting pauses after a failure, such as running out of descriptors.
constexpr int retryInterval = 100;
// Peers queued for accepting; beyond them a later start waits to get in, or runs alone.
constexpr int queueLength = 50;

} // namespace

LocalListener::LocalListener(std::function<void(FileDescriptor)> onPeer)
    : onPeer_(std::move(onPeer)) {
    retry_.setSingleShot(true);
    retry_.setInterval(retryInterval);
    connect(&retry_, &QTimer::timeout, this, [this] { notifier_.setEnabled(true); });
    connect(&notifier_, &QSocketNotifier::activated, this, &LocalListener::acceptPeers);
}

LocalListener::~LocalListener() {
    if (!socket_.isOpen()) {
        return;
    }
    notifier_.setEnabled(false);
    socket_.close();
    // Unless a start that found this one unanswering has put its own socket in its place.
    struct stat status {};
    if (::lstat(path_.constData(), &status) == 0 && status.st_dev == device_ &&
        status.st_ino == inode_) {
        ::unlink(path_.constData());
    }
}

qsizetype LocalListener::pathLimit() {
    return sizeof(sockaddr_un::sun_path) - 1;
}

int LocalListener::listen(const QByteArray& path) {
    if (path.size() > pathLimit()) {
        return ENAMETOOLONG;
    }
    FileDescriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!socket.isOpen()) {
        return errno;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    struct stat status {};
    if (::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return errno;
    }
    if (::lstat(path.constData(), &status) != 0 || ::listen(socket.get(), queueLength) != 0) {
        const int error = errno;
        ::unlink(path.constData());
        return error;
    }
    path_ = path;
    device_ = status.st_dev;
    inode_ = status.st_ino;
    socket_ = std::move(socket);
    notifier_.setSocket(socket_.get());
    notifier_.setEnabled(true);
    return 0;
}

void LocalListener::acceptPeers() {
    for (;;) {
        FileDescriptor peer(
            ::accept4(socket_.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
        if (peer.isOpen()) {
            onPeer_(std::move(peer));
            continue;
        }
        if (errno == EINTR || errno == ECONNABORTED) {
            continue;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            // Out of descriptors, say: the peer stays queued while accepting pauses, rather
            // than waking the event loop again at once.
            notifier_.setEnabled(false);
            retry_.start();
        }
        return;
    }
}

} // namespace marrowvale
