#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace marrowvale {

/// The kind of interchange file the last import read. The reader sets it when it starts; the
/// report writer picks its report variant by it. Nothing reads an FCPXML file, but the report
/// still has a variant for that type.
enum class InputType : std::uint8_t { null, XMEML, FCPXML, DaVrOTIO, PProOTIO, AvidOTIO };

/// The type's text: "null", "XMEML", "FCPXML", "DaVrOTIO", "PProOTIO" or "AvidOTIO".
std::string_view inputTypeRawValue(InputType type);

/// The type whose text is exactly `rawValue` (case-sensitive); none for any other text.
std::optional<InputType> inputTypeFromRawValue(std::string_view rawValue);

} // namespace marrowvale
