#pragma once

#include "app/FileDescriptor.h"

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <sys/types.h>

namespace marrowvale {

/// A listening local (Unix domain) socket, watched by the event loop. Where a failed accept
/// makes QLocalServer close its socket for good, this one keeps listening: when the process is
/// out of descriptors, accepting pauses for a moment and the peer waits in the socket's queue.
/// The socket file goes with the listener, unless another has taken its place meanwhile.
class LocalListener : public QObject {
public:
    /// A listener that hands each connected peer to `onPeer`, from the event loop.
    explicit LocalListener(std::function<void(FileDescriptor)> onPeer);
    ~LocalListener() override;

    /// The longest path a socket address holds, in bytes of the file system's encoding.
    static qsizetype pathLimit();

    /// Listens on a new socket at `path` (in the file system's encoding); 0, or the errno of
    /// the failure: EADDRINUSE when something is there already, ENAMETOOLONG when the path is
    /// longer than `pathLimit()`.
    int listen(const QByteArray& path);

private:
    void acceptPeers();

    std::function<void(FileDescriptor)> onPeer_;
    QByteArray path_;
    FileDescriptor socket_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    QSocketNotifier notifier_{QSocketNotifier::Read};
    QTimer retry_;
};

} // namespace marrowvale
