#include "xmeml/FeatureTimelineGenerator.h"

#include "support/Random.h"

#include <array>
#include <fmt/format.h>
#include <iterator>
#include <string_view>
#include <vector>

namespace marrowvale::bench {

namespace {

constexpr int sourceFiles = 2000;
constexpr int musicFiles = 200;
constexpr std::string_view base64Title =
    "AAAAFEhlbHZldGljYSBOZXVlAAAAAQAAAA9NYXJyb3d2YWxlIERlbW8AAn8=";

class Writer {
public:
    Writer(std::uint32_t seed, FeatureTimelineCounts& counts)
        : random_(seed), counts_(counts), defined_(sourceFiles + musicFiles + 1, false) {
        out_.reserve(64u << 20);
    }

    std::string finish() { return std::move(out_); }

    template <class... Args>
    void line(int depth, fmt::format_string<Args...> format, Args&&... args) {
        out_.append(static_cast<std::size_t>(depth), '\t');
        fmt::format_to(std::back_inserter(out_), format, std::forward<Args>(args)...);
        out_ += '\n';
    }

    void rate(int depth) {
        line(depth, "<rate>");
        line(depth + 1, "<timebase>24</timebase>");
        line(depth + 1, "<ntsc>TRUE</ntsc>");
        line(depth, "</rate>");
    }

    void videoCharacteristics(int depth) {
        line(depth, "<samplecharacteristics>");
        rate(depth + 1);
        line(depth + 1, "<codec>");
        line(depth + 2, "<name>Apple ProRes 422 HQ</name>");
        line(depth + 1, "</codec>");
        line(depth + 1, "<width>1920</width>");
        line(depth + 1, "<height>1080</height>");
        line(depth + 1, "<anamorphic>FALSE</anamorphic>");
        line(depth + 1, "<pixelaspectratio>square</pixelaspectratio>");
        line(depth + 1, "<fielddominance>none</fielddominance>");
        line(depth + 1, "<colordepth>24</colordepth>");
        line(depth, "</samplecharacteristics>");
    }

    void file(int depth, int id, bool music) {
        if (defined_[static_cast<std::size_t>(id)]) {
            line(depth, "<file id=\"file-{}\"/>", id);
            return;
        }
        defined_[static_cast<std::size_t>(id)] = true;
        ++counts_.files;
        const int startFrame = 86314 + id * 2411;
        line(depth, "<file id=\"file-{}\">", id);
        if (music) {
            line(depth + 1, "<name>score_cue_{:03}.wav</name>", id);
            line(depth + 1,
                 "<pathurl>file://localhost/Volumes/Music/Score/score_cue_{:03}.wav"
                 "</pathurl>",
                 id);
        } else {
            line(depth + 1, "<name>A{:03}C{:03}_230412_R1AB.mov</name>", id / 40 + 1, id % 40 + 1);
            line(depth + 1,
                 "<pathurl>file://localhost/Volumes/Feature/Rushes/Day%20{:02}/A{:03}C{:03}"
                 "_230412_R1AB.mov</pathurl>",
                 id / 100 + 1, id / 40 + 1, id % 40 + 1);
        }
        rate(depth + 1);
        line(depth + 1, "<duration>{}</duration>", 2000 + id % 700);
        line(depth + 1, "<timecode>");
        rate(depth + 2);
        line(depth + 2, "<string>{:02}:{:02}:{:02}:{:02}</string>", startFrame / 86400 % 24,
             startFrame / 1440 % 60, startFrame / 24 % 60, startFrame % 24);
        line(depth + 2, "<frame>{}</frame>", startFrame);
        line(depth + 2, "<displayformat>NDF</displayformat>");
        line(depth + 2, "<reel>");
        line(depth + 3, "<name>A{:03}</name>", id / 40 + 1);
        line(depth + 2, "</reel>");
        line(depth + 1, "</timecode>");
        line(depth + 1, "<media>");
        if (!music) {
            line(depth + 2, "<video>");
            videoCharacteristics(depth + 3);
            line(depth + 2, "</video>");
        }
        line(depth + 2, "<audio>");
        line(depth + 3, "<samplecharacteristics>");
        line(depth + 4, "<depth>24</depth>");
        line(depth + 4, "<samplerate>48000</samplerate>");
        line(depth + 3, "</samplecharacteristics>");
        line(depth + 3, "<channelcount>2</channelcount>");
        line(depth + 2, "</audio>");
        line(depth + 1, "</media>");
        line(depth, "</file>");
    }

    void parameter(int depth, std::string_view id, std::string_view name, std::string_view value) {
        line(depth, "<parameter authoringApp=\"PremierePro\">");
        line(depth + 1, "<parameterid>{}</parameterid>", id);
        line(depth + 1, "<name>{}</name>", name);
        line(depth + 1, "<value>{}</value>", value);
        line(depth, "</parameter>");
    }

    void effectHead(int depth, std::string_view name, std::string_view id, std::string_view type,
                    std::string_view media) {
        ++counts_.effects;
        line(depth, "<filter>");
        line(depth + 1, "<effect>");
        line(depth + 2, "<name>{}</name>", name);
        line(depth + 2, "<effectid>{}</effectid>", id);
        line(depth + 2, "<effectcategory>{}</effectcategory>", type);
        line(depth + 2, "<effecttype>{}</effecttype>", type);
        line(depth + 2, "<mediatype>{}</mediatype>", media);
    }

    void effectTail(int depth) {
        line(depth + 1, "</effect>");
        line(depth, "</filter>");
    }

    void basicMotion(int depth) {
        effectHead(depth, "Basic Motion", "basic", "motion", "video");
        parameter(depth + 2, "scale", "Scale", fmt::format("{}", random_.between(100, 140)));
        parameter(depth + 2, "rotation", "Rotation", "0");
        line(depth + 2, "<parameter authoringApp=\"PremierePro\">");
        line(depth + 3, "<parameterid>center</parameterid>");
        line(depth + 3, "<name>Center</name>");
        line(depth + 3, "<value>");
        line(depth + 4, "<horiz>0</horiz>");
        line(depth + 4, "<vert>0</vert>");
        line(depth + 3, "</value>");
        line(depth + 2, "</parameter>");
        parameter(depth + 2, "antiflicker", "Anti-flicker Filter", "0");
        effectTail(depth);
    }

    void timeRemap(int depth, std::string_view media) {
        effectHead(depth, "Time Remap", "timeremap", "motion", media);
        parameter(depth + 2, "variablespeed", "variablespeed", "0");
        parameter(depth + 2, "speed", "speed", random_.chance(50) ? "50" : "200");
        parameter(depth + 2, "reverse", "reverse", random_.chance(20) ? "TRUE" : "FALSE");
        parameter(depth + 2, "frameblending", "frameblending", "FALSE");
        effectTail(depth);
    }

    void links(int depth, int item) {
        for (int i = 0; i < 3; ++i) {
            line(depth, "<link>");
            line(depth + 1, "<linkclipref>clipitem-{}</linkclipref>", item + i);
            line(depth + 1, "<mediatype>{}</mediatype>", i == 0 ? "video" : "audio");
            line(depth + 1, "<trackindex>{}</trackindex>", i + 1);
            line(depth + 1, "<clipindex>{}</clipindex>", item / 3 + 1);
            if (i > 0) {
                line(depth + 1, "<groupindex>1</groupindex>");
            }
            line(depth, "</link>");
        }
    }

    struct Placement {
        int start;
        int end;
        int in;
        int out;
    };

    // One clip item; `kind` 0 picture, 1 dialogue, 2 music, 3 title.
    void clipItem(int depth, int kind, int source, const Placement& at) {
        const int item = ++itemNumber_;
        ++counts_.clipItems;
        line(depth, "<clipitem id=\"clipitem-{}\"{}>", item,
             kind == 0 ? " frameBlend=\"FALSE\"" : "");
        if (kind != 3) {
            line(depth + 1, "<masterclipid>masterclip-{}</masterclipid>", source);
        }
        if (kind == 3) {
            line(depth + 1, "<name>Lower third {}</name>", item);
        } else if (kind == 2) {
            line(depth + 1, "<name>score_cue_{:03}.wav</name>", source);
        } else {
            line(depth + 1, "<name>A{:03}C{:03}_230412_R1AB.mov</name>", source / 40 + 1,
                 source % 40 + 1);
        }
        line(depth + 1, "<enabled>{}</enabled>", random_.chance(2) ? "FALSE" : "TRUE");
        line(depth + 1, "<duration>{}</duration>", 2000 + source % 700);
        rate(depth + 1);
        line(depth + 1, "<start>{}</start>", at.start);
        line(depth + 1, "<end>{}</end>", at.end);
        line(depth + 1, "<in>{}</in>", at.in);
        line(depth + 1, "<out>{}</out>", at.out);
        line(depth + 1, "<pproTicksIn>{}</pproTicksIn>",
             static_cast<std::int64_t>(at.in) * 10594584000);
        line(depth + 1, "<pproTicksOut>{}</pproTicksOut>",
             static_cast<std::int64_t>(at.out) * 10594584000);
        if (kind == 0 || kind == 3) {
            line(depth + 1, "<alphatype>none</alphatype>");
            line(depth + 1, "<pixelaspectratio>square</pixelaspectratio>");
            line(depth + 1, "<anamorphic>FALSE</anamorphic>");
        }
        if (kind == 3) {
            line(depth + 1, "<file id=\"file-graphic-{}\">", item);
            line(depth + 2, "<name>Graphic</name>");
            line(depth + 2, "<mediaSource>GraphicAndType</mediaSource>");
            rate(depth + 2);
            line(depth + 1, "</file>");
            effectHead(depth + 1, "Lower third", "GraphicAndType", "graphic", "video");
            parameter(depth + 3, "1", "Source Text", base64Title);
            effectTail(depth + 1);
            effectHead(depth + 1, "Opacity", "opacity", "motion", "video");
            parameter(depth + 3, "opacity", "opacity", random_.chance(50) ? "100" : "85");
            effectTail(depth + 1);
        } else {
            file(depth + 1, source, kind == 2);
        }
        if (kind == 0) {
            if (random_.chance(25)) {
                basicMotion(depth + 1);
            }
            if (random_.chance(5)) {
                timeRemap(depth + 1, "video");
            }
        } else if (kind != 3) {
            if (random_.chance(60)) {
                effectHead(depth + 1, "Audio Levels", "audiolevels", "audiolevels", "audio");
                parameter(depth + 3, "level", "Level",
                          fmt::format("{}", random_.between(30, 150) / 100.0));
                effectTail(depth + 1);
            }
            if (random_.chance(10)) {
                effectHead(depth + 1, "Audio Pan", "audiopan", "audiopan", "audio");
                parameter(depth + 3, "pan", "Pan", "-0.5");
                effectTail(depth + 1);
            }
            line(depth + 1, "<sourcetrack>");
            line(depth + 2, "<mediatype>audio</mediatype>");
            line(depth + 2, "<trackindex>{}</trackindex>", 1 + item % 2);
            line(depth + 1, "</sourcetrack>");
        }
        if (kind != 3) {
            links(depth + 1, item);
        }
        if (kind == 0 && random_.chance(5)) {
            ++counts_.markers;
            line(depth + 1, "<marker>");
            line(depth + 2, "<comment>Check focus</comment>");
            line(depth + 2, "<name>Note {}</name>", item);
            line(depth + 2, "<in>{}</in>", at.in + 4);
            line(depth + 2, "<out>-1</out>");
            line(depth + 2, "<pproColor>4281740498</pproColor>");
            line(depth + 1, "</marker>");
        }
        if (kind == 0) {
            line(depth + 1, "<logginginfo>");
            line(depth + 2, "<description>Scene {} wide</description>", source / 20 + 1);
            line(depth + 2, "<scene>{}</scene>", source / 20 + 1);
            line(depth + 2, "<shottake>{}</shottake>", source % 20 + 1);
            line(depth + 2, "<lognote></lognote>");
            line(depth + 1, "</logginginfo>");
            line(depth + 1, "<colorinfo>");
            line(depth + 2, "<lut></lut>");
            line(depth + 1, "</colorinfo>");
        }
        line(depth + 1, "<labels>");
        line(depth + 2, "<label2>{}</label2>", kind == 2 ? "Mango" : "Iris");
        line(depth + 1, "</labels>");
        line(depth, "</clipitem>");
    }

    void transition(int depth, int start, int end) {
        ++counts_.transitions;
        line(depth, "<transitionitem>");
        line(depth + 1, "<start>{}</start>", start);
        line(depth + 1, "<end>{}</end>", end);
        line(depth + 1, "<alignment>center</alignment>");
        line(depth + 1, "<cutPointTicks>0</cutPointTicks>");
        rate(depth + 1);
        line(depth + 1, "<effect>");
        line(depth + 2, "<name>Cross Dissolve</name>");
        line(depth + 2, "<effectid>Cross Dissolve</effectid>");
        line(depth + 2, "<effectcategory>Dissolve</effectcategory>");
        line(depth + 2, "<effecttype>transition</effecttype>");
        line(depth + 2, "<mediatype>video</mediatype>");
        line(depth + 2, "<wipecode>0</wipecode>");
        line(depth + 2, "<wipeaccuracy>100</wipeaccuracy>");
        line(depth + 2, "<startratio>0</startratio>");
        line(depth + 2, "<endratio>1</endratio>");
        line(depth + 2, "<reverse>FALSE</reverse>");
        line(depth + 1, "</effect>");
        line(depth, "</transitionitem>");
    }

    // A track of clips; contiguous tracks get a dissolve at some cuts, written the way editors
    // write them: the clip before ends at -1, the clip after starts at -1.
    void track(int depth, int kind, int clips, bool contiguous, bool dissolves,
               std::string_view attributes) {
        line(depth, "<track{}>", attributes);
        int position = 0;
        bool afterDissolve = false;
        for (int i = 0; i < clips; ++i) {
            const int length = random_.between(24, 92);
            if (!contiguous) {
                position += random_.between(0, 60);
            }
            const int source = kind == 2 ? sourceFiles + 1 + random_.between(0, musicFiles - 1)
                                         : 1 + random_.between(0, sourceFiles - 1);
            const int in = random_.between(0, 1200);
            const bool dissolveAfter = dissolves && i + 1 < clips && random_.chance(10);
            Placement at{afterDissolve ? -1 : position, dissolveAfter ? -1 : position + length, in,
                         in + length};
            clipItem(depth + 1, kind, source, at);
            if (dissolveAfter) {
                transition(depth + 1, position + length - 12, position + length + 12);
            }
            afterDissolve = dissolveAfter;
            position += length;
        }
        line(depth + 1, "<enabled>TRUE</enabled>");
        line(depth + 1, "<locked>FALSE</locked>");
        line(depth, "</track>");
    }

    void sequence() {
        line(0, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
        line(0, "<!DOCTYPE xmeml>");
        line(0, "<xmeml version=\"4\">");
        line(1, "<sequence id=\"sequence-1\" TL.SQAudioVisibleBase=\"0\" "
                "TL.SQVideoVisibleBase=\"0\" TL.SQVisibleBaseTime=\"0\" "
                "TL.SQAVDividerPosition=\"0.5\" TL.SQHideShyTracks=\"0\" "
                "MZ.Sequence.PreviewFrameSizeHeight=\"1080\" "
                "MZ.Sequence.PreviewFrameSizeWidth=\"1920\">");
        line(2, "<uuid>7d1c6a2e-9b0f-4c55-a1e3-2f6b8d4c9e10</uuid>");
        line(2, "<duration>180000</duration>");
        rate(2);
        line(2, "<name>Feature Reel Assembly</name>");
        line(2, "<media>");
        line(3, "<video>");
        line(4, "<format>");
        videoCharacteristics(5);
        line(4, "</format>");
        track(4, 0, 3000, true, true, " TL.SQTrackShy=\"0\" MZ.TrackTargeted=\"1\"");
        track(4, 0, 1500, false, false, " TL.SQTrackShy=\"0\" MZ.TrackTargeted=\"0\"");
        track(4, 3, 400, false, false, " MZ.TrackName=\"Titles\"");
        track(4, 0, 200, false, false, " MZ.TrackName=\"VFX\"");
        line(3, "</video>");
        line(3, "<audio>");
        line(4, "<numOutputChannels>2</numOutputChannels>");
        line(4, "<format>");
        line(5, "<samplecharacteristics>");
        line(6, "<depth>16</depth>");
        line(6, "<samplerate>48000</samplerate>");
        line(5, "</samplecharacteristics>");
        line(4, "</format>");
        const std::array<int, 8> audioClips{3000, 3000, 1500, 1500, 1500, 1500, 1500, 1500};
        for (std::size_t i = 0; i < audioClips.size(); ++i) {
            track(4, i < 4 ? 1 : 2, audioClips[i], i < 2, false,
                  fmt::format(" TL.SQTrackAudioKeyframeStyle=\"0\" PannerCurrentValue=\"0.5\" "
                              "currentExplodedTrackIndex=\"0\" premiereTrackType=\"Stereo\""));
        }
        line(3, "</audio>");
        line(2, "</media>");
        line(2, "<timecode>");
        rate(3);
        line(3, "<string>01:00:00:00</string>");
        line(3, "<frame>86400</frame>");
        line(3, "<displayformat>NDF</displayformat>");
        line(2, "</timecode>");
        for (int i = 0; i < 200; ++i) {
            ++counts_.markers;
            line(2, "<marker>");
            line(3, "<comment>Reel change {}</comment>", i);
            line(3, "<name>Marker {}</name>", i);
            line(3, "<in>{}</in>", i * 850);
            line(3, "<out>{}</out>", i % 3 == 0 ? i * 850 + 24 : -1);
            line(3, "<pproColor>{}</pproColor>", i % 2 == 0 ? "4294741314" : "4281049552");
            line(2, "</marker>");
        }
        line(2, "<labels>");
        line(3, "<label2>Forest</label2>");
        line(2, "</labels>");
        line(1, "</sequence>");
        line(0, "</xmeml>");
    }

private:
    Random random_;
    FeatureTimelineCounts& counts_;
    std::vector<bool> defined_;
    std::string out_;
    int itemNumber_ = 0;
};

} // namespace

std::string generateFeatureTimeline(std::uint32_t seed, FeatureTimelineCounts& counts) {
    counts = {};
    Writer writer(seed, counts);
    writer.sequence();
    return writer.finish();
}

} // namespace marrowvale::bench
