#pragma once

#include <QByteArray>
#include <filesystem>
#include <vector>

namespace marrowvale {

/// The message a later start of the application sends the running one: the files to open. On
/// the socket it is the line "marrowvale-open LENGTH", then LENGTH bytes that hold each file's
/// absolute path as the file system's bytes (which need not be valid text), each ended by a NUL
/// byte. The running application answers a whole, well-formed message with `handOverReceipt`.
struct HandOverMessage {
    /// How far the bytes received so far go.
    enum class State {
        incomplete, ///< a well-formed beginning; more is to come
        complete,   ///< one whole message: `files` holds its paths
        invalid,    ///< anything else: the peer is dropped
    };

    State state = State::incomplete;
    std::vector<std::filesystem::path> files;
};

/// The most a hand-over may take on the socket, in bytes: a few thousand paths.
constexpr qsizetype handOverSizeLimit = qsizetype{1} << 20;

/// The running application's answer to a whole message.
inline constexpr char handOverReceipt[] = "ok\n";

/// The message that hands over `files`, which must be absolute paths.
QByteArray encodeHandOver(const std::vector<std::filesystem::path>& files);

/// Reads the bytes received so far from a peer: more than the size limit, trailing bytes
/// after the message, a relative or empty path, a path of PATH_MAX bytes or more (longer than
/// any the system opens) or a damaged header make it invalid.
HandOverMessage decodeHandOver(const QByteArray& received);

} // namespace marrowvale
