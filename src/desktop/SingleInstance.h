#pragma once

#include "desktop/LocalListener.h"

#include <QObject>
#include <chrono>
#include <filesystem>
#include <vector>

class QLocalSocket;

namespace marrowvale {

/// One running application per user and display. The first start listens on a local socket;
/// a later start (a file manager starts one for every file it opens) hands its files over to
/// it and ends, so that they open in the window the user already has. A peer is read within a
/// size limit and a time limit: one that sends anything but a whole hand-over, or nothing, is
/// dropped and changes nothing. A few peers are served at once; any more are closed at once,
/// unread, and a later start so turned away tries again for a while.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    /// The socket in `folder` for this user and display (needs the application object).
    static QString socketPath(const QString& folder);
    /// The socket in `folder` for this user on Qt's `platform` ("xcb", "wayland") at `display`,
    /// as the platform's variable names it (DISPLAY, WAYLAND_DISPLAY; empty for none).
    static QString socketPath(const QString& folder, const QString& platform,
                              const QString& display);

    /// A channel over the socket at `path`. A peer that has not sent a whole message within
    /// `readTimeout` is dropped.
    explicit SingleInstance(QString path,
                            std::chrono::milliseconds readTimeout = std::chrono::seconds(3));
    ~SingleInstance() override;

    /// A later start: hands `files` (absolute paths) to the application listening on the
    /// socket and waits for its receipt. False when none listens or none answers in time.
    bool handOver(const std::vector<std::filesystem::path>& files);

    /// The first start: listens for later ones. A socket left by an application that ended
    /// without closing it is removed first; anything else in its place is left alone. False
    /// when the socket cannot be made: this start then runs alone, and `problem()` says why.
    bool listen();

    /// Why the socket could not be made, for the diagnostics; empty when it was.
    const QString& problem() const { return problem_; }

    /// The diagnostic line of a start that runs alone for the reason `why`.
    static QString runningAlone(const QString& why);

signals:
    /// A later start handed these files over; none when it only asked for the window.
    void filesHandedOver(const std::vector<std::filesystem::path>& files);

private:
    void servePeer(FileDescriptor descriptor);
    void readFrom(QLocalSocket& peer, QByteArray& received);
    bool isLeftOver() const;
    bool runAlone(const QString& why);

    QString path_;
    std::chrono::milliseconds readTimeout_;
    LocalListener listener_;
    int servedPeers_ = 0;
    QString problem_;
};

} // namespace marrowvale
