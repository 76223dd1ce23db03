#include "otio/MediaAddress.h"

#include "model/Asset.h"

#include <array>

namespace marrowvale {

namespace {

constexpr std::string_view fileScheme = "file:";

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Characters a URL holds as they are: unreserved, sub-delimiters, ":", "@" and "/"; "?" and
// "#" too where `keepSyntax` (a URL's own query and fragment marks).
bool isURLCharacter(char c, bool keepSyntax) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
        return true;
    }
    constexpr std::string_view allowed = "-._~!$&'()*+,;=:@/";
    if (allowed.find(c) != std::string_view::npos) {
        return true;
    }
    return keepSyntax && (c == '?' || c == '#');
}

// The text with every character a URL cannot hold written as %XX. Escapes already in place
// stay when `keepEscapes`; a "%" that starts none is encoded.
std::string percentEncoded(std::string_view text, bool keepSyntax, bool keepEscapes) {
    constexpr std::array<char, 16> hex{'0', '1', '2', '3', '4', '5', '6', '7',
                                       '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
    std::string encoded;
    encoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (keepEscapes && c == '%' && i + 2 < text.size() && isHexDigit(text[i + 1]) &&
            isHexDigit(text[i + 2])) {
            encoded += c;
            continue;
        }
        if (isURLCharacter(c, keepSyntax)) {
            encoded += c;
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        encoded += '%';
        encoded += hex[byte >> 4];
        encoded += hex[byte & 0x0F];
    }
    return encoded;
}

bool hasControlCharacters(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<std::string> mediaAddress(std::string_view text) {
    if (text.empty() || hasControlCharacters(text)) {
        return std::nullopt;
    }
    if (text.starts_with("file:/")) {
        return percentEncoded(text, true, true);
    }
    if (text.front() == '/') {
        return "file://" + percentEncoded(text, false, false);
    }
    return std::string(text);
}

std::optional<std::filesystem::path> localFilePath(std::string_view address) {
    if (!address.starts_with(fileScheme)) {
        return std::nullopt;
    }
    std::optional<std::string> path = Asset::localPathOfURL(address);
    if (!path || path->empty() || path->front() != '/') {
        return std::nullopt;
    }
    return std::filesystem::path(std::move(*path));
}

std::string lastAddressComponent(std::string_view address) {
    if (std::optional<std::filesystem::path> path = localFilePath(address)) {
        std::string name = path->filename().string();
        return name.empty() ? path->string() : name;
    }
    // Asset::pathOfURL gives the decoded path of a URL and leaves any other text as it is.
    const std::string path = Asset::pathOfURL(address);
    std::string_view piece(path);
    while (!piece.empty() && (piece.back() == '/' || piece.back() == '\\')) {
        piece.remove_suffix(1);
    }
    const std::size_t separator = piece.find_last_of("/\\");
    if (separator != std::string_view::npos) {
        piece = piece.substr(separator + 1);
    }
    return piece.empty() ? std::string(address) : std::string(piece);
}

} // namespace marrowvale
