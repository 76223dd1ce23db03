#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace marrowvale {

/// The main window's switches for optional sheets, each with the key a report request carries
/// while it is on. `ignoreAudio` is no sheet: it leaves the sound of video clips out.
enum class SheetKey { ignoreAudio, markers, generators, transitions, effects, summary };

/// Every key, in the order the main window shows the switches and a request lists the keys.
inline constexpr std::array<SheetKey, 6> allSheetKeys = {
    SheetKey::ignoreAudio, SheetKey::markers, SheetKey::generators,
    SheetKey::transitions, SheetKey::effects, SheetKey::summary};

/// The key's text: "ignoreAudio", "markers", "generators", "transitions", "effects" or
/// "summary".
std::string_view sheetKeyText(SheetKey key);

/// The key whose text is exactly `text` (case-sensitive); none for any other text.
std::optional<SheetKey> sheetKeyFromText(std::string_view text);

} // namespace marrowvale
