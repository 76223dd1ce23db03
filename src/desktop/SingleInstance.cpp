#include "desktop/SingleInstance.h"

#include "desktop/HandOverMessage.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLocalSocket>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace marrowvale {

namespace {

// How long a later start waits to reach the running application, and then for its receipt.
constexpr int connectTimeout = 1000;
constexpr int receiptTimeout = 5000;
// How long a later start turned away waits before it tries again.
constexpr std::chrono::milliseconds retryPause(50);
// How many peers are served at once; each holds a descriptor until it is done or dropped.
constexpr int peerLimit = 16;
// The longest user or display text put into the socket's name.
constexpr qsizetype namePartLimit = 40;

// `text` fit for a file name: no "/", and not too long (the end, which tells displays apart).
QString namePart(QString text) {
    text.replace(QLatin1Char('/'), QLatin1Char('_'));
    return text.right(namePartLimit);
}

QString userName() {
    if (const passwd* entry = ::getpwuid(::geteuid())) {
        return QString::fromLocal8Bit(entry->pw_name);
    }
    return QString::number(::geteuid());
}

// The display the platform runs on, as its variable names it; empty for one without displays.
QString displayOf(const QString& platform) {
    QByteArray display;
    if (platform.startsWith(QLatin1String("wayland"))) {
        display = qgetenv("WAYLAND_DISPLAY");
    } else if (platform == QLatin1String("xcb")) {
        display = qgetenv("DISPLAY");
    }
    return QString::fromLocal8Bit(display);
}

// Ends a peer's connection and its socket.
void drop(QLocalSocket& peer) {
    peer.abort();
    peer.deleteLater();
}

} // namespace

QString SingleInstance::socketPath(const QString& folder) {
    const QString platform = QGuiApplication::platformName();
    return socketPath(folder, platform, displayOf(platform));
}

QString SingleInstance::socketPath(const QString& folder, const QString& platform,
                                   const QString& display) {
    // "xcb:0", "wayland-0", "offscreen": a start on another display finds a window of its own.
    return folder + "/marrowvale-" + namePart(userName()) + "-" + namePart(platform + display);
}

SingleInstance::SingleInstance(QString path, std::chrono::milliseconds readTimeout)
    : path_(std::move(path)), readTimeout_(readTimeout),
      listener_([this](FileDescriptor peer) { servePeer(std::move(peer)); }) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::handOver(const std::vector<std::filesystem::path>& files) {
    const QByteArray message = encodeHandOver(files);
    const QByteArray receipt(handOverReceipt);
    QDeadlineTimer deadline(receiptTimeout);
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(path_);
        if (!socket.waitForConnected(connectTimeout)) {
            return false;
        }
        socket.write(message);
        while (socket.bytesToWrite() > 0 &&
               socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) {
        }
        while (socket.bytesToWrite() == 0 && socket.bytesAvailable() < receipt.size() &&
               socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
        }
        if (socket.bytesAvailable() >= receipt.size()) {
            return socket.read(receipt.size()) == receipt;
        }
        // Closed unread while the application served as many others as it does at once.
        if (socket.state() != QLocalSocket::UnconnectedState || deadline.hasExpired()) {
            return false;
        }
        std::this_thread::sleep_for(retryPause);
    }
}

bool SingleInstance::listen() {
    const QByteArray path = QFile::encodeName(path_);
    int error = listener_.listen(path);
    if (error == EADDRINUSE) {
        struct stat status {};
        if (::lstat(path.constData(), &status) == 0 && !S_ISSOCK(status.st_mode)) {
            return runAlone(QStringLiteral("\u201c%1\u201d is not a socket").arg(path_));
        }
        if (!isLeftOver()) {
            return runAlone(QStringLiteral("another application answers on \u201c%1\u201d, but "
                                           "did not take this start\u2019s files")
                                .arg(path_));
        }
        ::unlink(path.constData());
        error = listener_.listen(path);
    }
    if (error == ENAMETOOLONG) {
        return runAlone(QStringLiteral("the socket\u2019s path \u201c%1\u201d takes %2 bytes, "
                                       "more than the %3 a socket address holds")
                            .arg(path_)
                            .arg(path.size())
                            .arg(LocalListener::pathLimit()));
    }
    if (error != 0) {
        return runAlone(QStringLiteral("the socket \u201c%1\u201d cannot be made: %2")
                            .arg(path_, QString::fromLocal8Bit(std::strerror(error))));
    }
    return true;
}

QString SingleInstance::runningAlone(const QString& why) {
    return QStringLiteral("Running alone, as %1: later starts open windows of their own").arg(why);
}

bool SingleInstance::runAlone(const QString& why) {
    problem_ = runningAlone(why);
    return false;
}

bool SingleInstance::isLeftOver() const {
    QLocalSocket socket;
    socket.connectToServer(path_);
    if (socket.waitForConnected(connectTimeout)) {
        return false;
    }
    // The socket file is there, but nobody listens on it any more.
    return socket.error() == QLocalSocket::ConnectionRefusedError;
}

void SingleInstance::servePeer(FileDescriptor descriptor) {
    if (servedPeers_ >= peerLimit) {
        return; // closed unread: the later start tries again
    }
    auto* peer = new QLocalSocket(this);
    if (!peer->setSocketDescriptor(descriptor.get())) {
        peer->deleteLater();
        return;
    }
    descriptor.release();
    ++servedPeers_;
    connect(peer, &QObject::destroyed, this, [this] { --servedPeers_; });
    auto received = std::make_shared<QByteArray>();
    peer->setReadBufferSize(handOverSizeLimit + 1);
    connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
    connect(peer, &QLocalSocket::readyRead, this,
            [this, peer, received] { readFrom(*peer, *received); });
    // A peer that sends nothing, or too slowly, is dropped.
    QTimer::singleShot(readTimeout_, peer, [peer] { drop(*peer); });
}

void SingleInstance::readFrom(QLocalSocket& peer, QByteArray& received) {
    received += peer.read(handOverSizeLimit + 1 - received.size());
    HandOverMessage message = decodeHandOver(received);
    switch (message.state) {
    case HandOverMessage::State::incomplete:
        return;
    case HandOverMessage::State::invalid:
        drop(peer);
        return;
    case HandOverMessage::State::complete:
        peer.write(handOverReceipt);
        peer.disconnectFromServer();
        emit filesHandedOver(message.files);
        return;
    }
}

} // namespace marrowvale
