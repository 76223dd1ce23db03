#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace marrowvale {

/// The address under which the OTIO reader keeps a media file, made from the text a media
/// reference gives: an absolute path becomes a file URL ("/a b.mov" gives "file:///a%20b.mov"),
/// a file URL keeps its text with the characters a URL cannot hold percent-encoded (so both
/// spellings of one file give one address), and any other text (a URL of another scheme, a
/// drive path such as "G:/Media/a.mov", a relative path) stays as written. None for empty
/// text or text holding control characters.
std::optional<std::string> mediaAddress(std::string_view text);

/// The local file an address stands for: the absolute path of a "file:" URL on this machine,
/// as Asset::localPathOfURL decodes it for both readers. None for every other address (another
/// host or scheme, an escaped NUL): those are never probed or fetched.
std::optional<std::filesystem::path> localFilePath(std::string_view address);

/// The last component of an address, as an asset's name: the file name of a local path, else
/// the last piece between slashes or backslashes (of a URL's path, its escapes decoded once).
/// The whole address when it has no such piece.
std::string lastAddressComponent(std::string_view address);

} // namespace marrowvale
