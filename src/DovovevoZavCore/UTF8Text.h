#pragma once

#include <string_view>

namespace dovovevozav {

/// Whether `text` is strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool isValidUTF8(std::string_view text) noexcept;

} // namespace dovovevozav
