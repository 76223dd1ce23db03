#pragma once

#include <string>
#include <string_view>

namespace marrowvale {

/// The bytes of an .otio file as UTF-8 text, their encoding told by their content: UTF-16 and
/// UTF-32 (by a byte-order mark, or by the zero bytes around the first characters, which are
/// ASCII in any JSON document) are converted, a UTF-8 byte-order mark is dropped, and
/// anything else is taken as UTF-8 as it stands (the decoder refuses what is not).
std::string utf8DocumentText(std::string_view bytes);

} // namespace marrowvale
