#pragma once

#include <string>
#include <string_view>

namespace marrowvale {

/// The file name of a clip's thumbnail: index + 1 in at least three digits, a space, the clip
/// name and ".jpg" ("005 Interview A.jpg" for index 4). Characters a file name cannot hold
/// ("/", NUL and control characters) become "_", and a long name is cut at a character
/// boundary so that the whole stays within 255 bytes: no clip name can place the file outside
/// the thumbnail folder or make its write fail.
std::string thumbnailFileName(int index, std::string_view clipName);

} // namespace marrowvale
