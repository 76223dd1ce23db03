#include "xmeml/XMEMLNames.h"

namespace marrowvale {

XMEMLNames::XMEMLNames(const XMEMLDocument& doc)
    : anamorphic(doc.nameID("anamorphic")), audio(doc.nameID("audio")), bin(doc.nameID("bin")),
      children(doc.nameID("children")), clip(doc.nameID("clip")), clipitem(doc.nameID("clipitem")),
      comment(doc.nameID("comment")), comments(doc.nameID("comments")),
      description(doc.nameID("description")), displayformat(doc.nameID("displayformat")),
      duration(doc.nameID("duration")), effect(doc.nameID("effect")),
      effectid(doc.nameID("effectid")), effecttype(doc.nameID("effecttype")),
      enabled(doc.nameID("enabled")), end(doc.nameID("end")),
      fielddominance(doc.nameID("fielddominance")), file(doc.nameID("file")),
      filter(doc.nameID("filter")), format(doc.nameID("format")), frame(doc.nameID("frame")),
      generatoritem(doc.nameID("generatoritem")), height(doc.nameID("height")),
      horiz(doc.nameID("horiz")), in(doc.nameID("in")), keyframe(doc.nameID("keyframe")),
      label2(doc.nameID("label2")), labels(doc.nameID("labels")),
      logginginfo(doc.nameID("logginginfo")), lognote(doc.nameID("lognote")),
      marker(doc.nameID("marker")), media(doc.nameID("media")),
      mediaSource(doc.nameID("mediaSource")), name(doc.nameID("name")), ntsc(doc.nameID("ntsc")),
      out(doc.nameID("out")), parameter(doc.nameID("parameter")),
      parameterid(doc.nameID("parameterid")), pathurl(doc.nameID("pathurl")),
      pixelaspectratio(doc.nameID("pixelaspectratio")), pproColor(doc.nameID("pproColor")),
      premierecomment(doc.nameID("premierecomment")), project(doc.nameID("project")),
      rate(doc.nameID("rate")), reel(doc.nameID("reel")),
      samplecharacteristics(doc.nameID("samplecharacteristics")),
      samplerate(doc.nameID("samplerate")), scene(doc.nameID("scene")),
      sequence(doc.nameID("sequence")), shottake(doc.nameID("shottake")),
      start(doc.nameID("start")), string(doc.nameID("string")), timebase(doc.nameID("timebase")),
      timecode(doc.nameID("timecode")), track(doc.nameID("track")),
      transitionitem(doc.nameID("transitionitem")), value(doc.nameID("value")),
      vert(doc.nameID("vert")), video(doc.nameID("video")), width(doc.nameID("width")),
      xmeml(doc.nameID("xmeml")), idAttribute(doc.nameID("id")), nameAttribute(doc.nameID("name")),
      trackNameAttribute(doc.nameID("MZ.TrackName")),
      explodedTrackIndexAttribute(doc.nameID("currentExplodedTrackIndex")),
      premiereTrackTypeAttribute(doc.nameID("premiereTrackType")) {}

} // namespace marrowvale
