#include "desktop/HandOverMessage.h"

#include <algorithm>
#include <climits>

namespace marrowvale {

namespace {

constexpr QByteArrayView header = "marrowvale-open ";
// Digits enough for any length under the size limit.
constexpr qsizetype lengthDigits = 8;

bool allDigits(QByteArrayView text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

HandOverMessage invalid() {
    return {HandOverMessage::State::invalid, {}};
}

} // namespace

QByteArray encodeHandOver(const std::vector<std::filesystem::path>& files) {
    QByteArray paths;
    for (const std::filesystem::path& file : files) {
        paths += QByteArrayView(file.native());
        paths += '\0';
    }
    return header.toByteArray() + QByteArray::number(paths.size()) + '\n' + paths;
}

HandOverMessage decodeHandOver(const QByteArray& received) {
    const QByteArrayView bytes(received);
    if (bytes.size() > handOverSizeLimit) {
        return invalid();
    }
    const qsizetype prefix = std::min(bytes.size(), header.size());
    if (bytes.first(prefix) != header.first(prefix)) {
        return invalid();
    }
    if (bytes.size() <= header.size()) {
        return {};
    }
    const qsizetype lineEnd = bytes.indexOf('\n', header.size());
    const QByteArrayView digits =
        bytes.sliced(header.size(), (lineEnd < 0 ? bytes.size() : lineEnd) - header.size());
    if (!allDigits(digits) || digits.size() > lengthDigits) {
        return invalid();
    }
    if (lineEnd < 0) {
        return {};
    }
    const qsizetype length = digits.isEmpty() ? -1 : digits.toLongLong();
    if (length < 0 || length > handOverSizeLimit) {
        return invalid();
    }
    const qsizetype end = lineEnd + 1 + length;
    if (bytes.size() < end) {
        return {};
    }
    if (bytes.size() > end || (length > 0 && bytes[end - 1] != '\0')) {
        return invalid();
    }

    HandOverMessage message{HandOverMessage::State::complete, {}};
    for (qsizetype start = lineEnd + 1; start < end;) {
        const qsizetype nul = bytes.indexOf('\0', start);
        const QByteArrayView path = bytes.sliced(start, nul - start);
        // PATH_MAX counts the ending NUL: no longer path names a file the system opens.
        if (path.isEmpty() || path[0] != '/' || path.size() >= PATH_MAX) {
            return invalid();
        }
        message.files.emplace_back(std::string(path.data(), static_cast<std::size_t>(path.size())));
        start = nul + 1;
    }
    return message;
}

} // namespace marrowvale
