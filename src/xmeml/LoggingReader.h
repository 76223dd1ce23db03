#pragma once

#include "xmeml/XMEMLDocument.h"

#include <string_view>
#include <vector>

namespace marrowvale {

class Composition;
class StoryElement;
class XMEMLImport;

/// The colour name of a marker's "pproColor" text: seven known colours by their exact
/// decimal text ("4281740498" is "Red"), "Green" for anything else.
std::string_view labelColorName(std::string_view pproColor);

/// Reads a clip's or clip item's logging fields into its element: reel (from the definition of
/// its asset's file, wherever that stands), description, scene, shot/take, log note and label.
/// A field whose element is missing keeps its value.
void readClipLogging(XMEMLImport& import, NodeIndex clip, StoryElement& element);

/// Appends a metadata entry to the sequence for each logging element it has, in the order
/// premierecomment, description, scene, shottake, lognote, label.
void readSequenceLogging(XMEMLImport& import, NodeIndex sequence, Composition& composition);

/// Stores the markers of a clip or clip item: source in point from the element's first frame,
/// timeline position relative to the clip, duration for an "out" above -1, and whether the
/// marker falls within the clip's span on the timeline. Every marker is kept.
void readClipMarkers(XMEMLImport& import, const std::vector<NodeIndex>& markers,
                     StoryElement& element);

/// Stores the markers of a sequence at the sequence's first frame plus their "in"; a duration
/// for any "out" other than -1; always visible.
void readSequenceMarkers(XMEMLImport& import, const std::vector<NodeIndex>& markers,
                         Composition& composition);

} // namespace marrowvale
