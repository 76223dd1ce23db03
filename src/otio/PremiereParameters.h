#pragma once

#include "otio/schema/PremiereMetadata.h"

#include <optional>
#include <string>
#include <string_view>

namespace marrowvale {

/// The settings text the effects sheet shows for one of Premiere Pro's intrinsic motion,
/// opacity and crop parameters, by its display name (trimmed): "X: 0.25, Y: 0.5" for
/// "Position" and "Anchor Point", "80%" for "Scale", "Opacity" and the crops, "15°" for
/// "Rotation", the value alone for "Scale Width" and "Anti-flicker Filter". None for any other
/// parameter, for one without a start value, and for one whose start value's display text is
/// its default's ("100" for "Scale", the point X 0.5, Y 0.5 for "Position").
std::optional<std::string> premiereParameterSettings(std::string_view displayName,
                                                     const otio::PProEffectParameter& parameter);

} // namespace marrowvale
