#include "model/Asset.h"

#include "model/DebugText.h"

#include <array>
#include <cctype>

namespace marrowvale {

namespace {

constexpr std::array<std::string_view, 5> categoryTexts{"null", "Video", "Audio", "AV", "Image"};

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The text with its percent escapes decoded once; none when an escape stands for a NUL, which
// would cut the path short wherever it is handed on as a C string.
std::optional<std::string> percentDecoded(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                if (high == 0 && low == 0) {
                    return std::nullopt;
                }
                decoded += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        decoded += text[i];
    }
    return decoded;
}

// Length of the "scheme:" prefix of URL text, or 0 when there is none. One letter before the
// colon is a drive letter of a path, not a scheme.
std::size_t schemeLength(std::string_view text) {
    if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0]))) {
        return 0;
    }
    for (std::size_t i = 1; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == ':') {
            return i >= 2 ? i + 1 : 0;
        }
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') {
            return 0;
        }
    }
    return 0;
}

} // namespace

Asset::Asset(std::string id, std::string name, double firstFrame, double duration,
             std::string timecodeFrameRate, VideoFormat* videoFormat,
             std::optional<std::string> url, bool securityscopedURL, bool readable, bool online,
             bool added, std::string frameSize, std::string audioRate, std::string cameraName,
             Category category)
    : id(std::move(id)), name(std::move(name)), firstFrame(firstFrame), duration(duration),
      timecodeFrameRate(std::move(timecodeFrameRate)), videoFormat(videoFormat),
      url(std::move(url)), securityscopedURL(securityscopedURL), readable(readable), online(online),
      added(added), frameSize(std::move(frameSize)), audioRate(std::move(audioRate)),
      cameraName(std::move(cameraName)), category(category) {}

namespace {

// URL text split for its file: the path part as written (after the scheme and any host, before
// a query or fragment) and whether that host is this machine (none, or "localhost").
struct URLPathPart {
    std::string_view path;
    bool local = true;
};

URLPathPart pathPartOfURL(std::string_view url, std::size_t scheme) {
    URLPathPart part;
    std::string_view rest = url.substr(scheme);
    if (rest.starts_with("//")) {
        const std::size_t pathStart = rest.find_first_of("/?#", 2);
        std::string host(rest.substr(2, pathStart - 2));
        for (char& c : host) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        part.local = host.empty() || host == "localhost";
        rest = pathStart == std::string_view::npos ? std::string_view() : rest.substr(pathStart);
    }
    part.path = rest.substr(0, rest.find_first_of("?#"));
    return part;
}

std::string withoutTrailingSlash(std::string path) {
    if (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

} // namespace

std::string Asset::pathOfURL(std::string_view url) {
    const std::size_t scheme = schemeLength(url);
    if (scheme == 0) {
        return std::string(url);
    }
    const std::string_view path = pathPartOfURL(url, scheme).path;
    // A path that would decode to a NUL is shown as written.
    return withoutTrailingSlash(percentDecoded(path).value_or(std::string(path)));
}

std::optional<std::string> Asset::localPathOfURL(std::string_view url) {
    const std::size_t scheme = schemeLength(url);
    if (scheme == 0) {
        return url.find('\0') == std::string_view::npos ? std::optional(std::string(url))
                                                        : std::nullopt;
    }
    std::string name(url.substr(0, scheme));
    for (char& c : name) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const URLPathPart part = pathPartOfURL(url, scheme);
    if (name != "file:" || !part.local) {
        return std::nullopt;
    }
    std::optional<std::string> path = percentDecoded(part.path);
    if (!path) {
        return std::nullopt;
    }
    return withoutTrailingSlash(std::move(*path));
}

std::string Asset::urlPath() const {
    return url ? pathOfURL(*url) : std::string();
}

std::optional<std::string> Asset::localPath() const {
    return url ? localPathOfURL(*url) : std::nullopt;
}

std::string Asset::debugDescription() const {
    return "Asset " + id + ": \"" + name + "\", " + urlPath() +
           "\n        start: " + detail::doubleText(firstFrame) +
           "\u0192, duration: " + detail::doubleText(duration) + "\u0192\n";
}

std::string_view Asset::toString(Category category) noexcept {
    const auto index = static_cast<std::size_t>(category);
    return index < categoryTexts.size() ? categoryTexts[index] : std::string_view();
}

std::optional<Asset::Category> Asset::fromString(std::string_view text) {
    for (std::size_t i = 0; i < categoryTexts.size(); ++i) {
        if (categoryTexts[i] == text) {
            return static_cast<Category>(i);
        }
    }
    return std::nullopt;
}

std::string_view toString(Asset::Category category) noexcept {
    return Asset::toString(category);
}

template <>
std::optional<Asset::Category> fromString<Asset::Category>(std::string_view text) {
    return Asset::fromString(text);
}

} // namespace marrowvale
