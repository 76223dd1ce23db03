#pragma once

#include "xmeml/XMEMLDocument.h"

namespace marrowvale {

/// The element and attribute names the reader looks for, resolved once per document so that
/// every lookup afterwards compares integers. A name the document never uses resolves to
/// XMEMLDocument::absentName, which matches nothing.
struct XMEMLNames {
    /// Resolves every name against the document.
    explicit XMEMLNames(const XMEMLDocument& doc);

    // Elements.
    NameID anamorphic, audio, bin, children, clip, clipitem, comment, comments, description,
        displayformat, duration, effect, effectid, effecttype, enabled, end, fielddominance, file,
        filter, format, frame, generatoritem, height, horiz, in, keyframe, label2, labels,
        logginginfo, lognote, marker, media, mediaSource, name, ntsc, out, parameter, parameterid,
        pathurl, pixelaspectratio, pproColor, premierecomment, project, rate, reel,
        samplecharacteristics, samplerate, scene, sequence, shottake, start, string, timebase,
        timecode, track, transitionitem, value, vert, video, width, xmeml;
    // Attributes.
    NameID idAttribute, nameAttribute, trackNameAttribute, explodedTrackIndexAttribute,
        premiereTrackTypeAttribute;
};

} // namespace marrowvale
