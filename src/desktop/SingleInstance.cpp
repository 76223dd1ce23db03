#include "desktop/SingleInstance.h"

#include "desktop/HandOverMessage.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QLocalSocket>
#include <QTimer>
#include <memory>
#include <pwd.h>
#include <unistd.h>

namespace marrowvale {

namespace {

// How long a later start waits to reach the running application, and then for its receipt.
constexpr int connectTimeout = 1000;
constexpr int receiptTimeout = 5000;
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

// The windowing system and its display: "xcb:0", "wayland-0", "offscreen".
QString displayName() {
    const QString platform = QGuiApplication::platformName();
    QByteArray display;
    if (platform.startsWith(QLatin1String("wayland"))) {
        display = qgetenv("WAYLAND_DISPLAY");
    } else if (platform == QLatin1String("xcb")) {
        display = qgetenv("DISPLAY");
    }
    return platform + QString::fromLocal8Bit(display);
}

void drop(QLocalSocket& peer) {
    peer.abort();
    peer.deleteLater();
}

} // namespace

QString SingleInstance::socketPath(const QString& folder) {
    return folder + "/marrowvale-" + namePart(userName()) + "-" + namePart(displayName());
}

SingleInstance::SingleInstance(QString path, std::chrono::milliseconds readTimeout)
    : path_(std::move(path)), readTimeout_(readTimeout) {
    // No socket options: with them Qt would put the socket in place by renaming it over
    // whatever is there, even the socket of an application still running. The folder is the
    // user's alone.
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::acceptPeers);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::handOver(const std::vector<std::filesystem::path>& files) {
    QLocalSocket socket;
    socket.connectToServer(path_);
    if (!socket.waitForConnected(connectTimeout)) {
        return false;
    }
    const QByteArray receipt(handOverReceipt);
    QDeadlineTimer deadline(receiptTimeout);
    socket.write(encodeHandOver(files));
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) {
            return false;
        }
    }
    while (socket.bytesAvailable() < receipt.size()) {
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            return false;
        }
    }
    return socket.read(receipt.size()) == receipt;
}

bool SingleInstance::listen() {
    if (server_.listen(path_)) {
        return true;
    }
    if (server_.serverError() != QAbstractSocket::AddressInUseError || !isLeftOver()) {
        return false;
    }
    QLocalServer::removeServer(path_);
    return server_.listen(path_);
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

void SingleInstance::acceptPeers() {
    while (QLocalSocket* peer = server_.nextPendingConnection()) {
        auto received = std::make_shared<QByteArray>();
        peer->setReadBufferSize(handOverSizeLimit + 1);
        connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        connect(peer, &QLocalSocket::readyRead, this,
                [this, peer, received] { readFrom(*peer, *received); });
        // A peer that sends nothing, or too slowly, is dropped.
        QTimer::singleShot(readTimeout_, peer, [peer] { drop(*peer); });
    }
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
