#include "GeneratedMedia.h"
#include "KeptTurning.h"
#include "media/AudioFileTags.h"
#include "model/Asset.h"
#include "model/StoryElement.h"
#include "services/ClipMediaProbe.h"

#include <gtest/gtest.h>
#include <sstream>
#include <taglib/flacfile.h>
#include <taglib/id3v1tag.h>
#include <taglib/infotag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/tpropertymap.h>
#include <taglib/wavfile.h>
#include <taglib/xiphcomment.h>

namespace marrowvale::testing {
namespace {

namespace fs = std::filesystem;

TagLib::PropertyMap properties(std::initializer_list<std::pair<const char*, const char*>> items) {
    TagLib::PropertyMap map;
    for (const auto& [key, value] : items) {
        map.insert(key, TagLib::StringList(TagLib::String(value, TagLib::String::UTF8)));
    }
    return map;
}

std::vector<std::string> fieldsOf(const AudioFileTags& tags) {
    return {tags.title, tags.album,  tags.track,    tags.year,
            tags.genre, tags.artist, tags.composer, tags.publisher};
}

std::vector<std::string> fieldsOf(const ID3Fields& tags) {
    return {tags.ID3title, tags.ID3album,  tags.ID3track,    tags.ID3year,
            tags.ID3genre, tags.ID3artist, tags.ID3composer, tags.ID3publisher};
}

// Tags written at test time with TagLib into each format, read back into the eight fields.
TEST(AudioTags, EveryTagFormatFillsTheEightFields) {
    const GeneratedMedia media;
    const std::string tone = "-f lavfi -i sine=duration=0.2 -fflags +bitexact ";

    const fs::path mp3 = media.id3Song("id3.mp3", {{"TIT2", "Anthem \xC3\xA9t\xC3\xA9"},
                                                   {"TALB", "Harbour"},
                                                   {"TRCK", "3/12"},
                                                   {"TDRC", "1999"},
                                                   {"TCON", "Score"},
                                                   {"TPE1", "Band"},
                                                   {"TCOM", "Writer"},
                                                   {"TPUB", "Label"},
                                                   // a user text, not a year
                                                   {"TXXX:ENCODER NOTE", "2020"}});
    {
        TagLib::MPEG::File file(mp3.c_str());
        file.ID3v1Tag(true)->setTitle("Old title"); // ID3v2 outranks ID3v1
        ASSERT_TRUE(file.save());
    }
    // The later item wins.
    const fs::path userYear =
        media.id3Song("user-year.mp3", {{"TDRC", "1998"}, {"TXXX:YEAR", "2003"}});
    const fs::path m4a = media.make("atoms.m4a", tone + "-c:a aac");
    {
        TagLib::MP4::File file(m4a.c_str());
        file.setProperties(properties({{"TITLE", "Theme"},
                                       {"ALBUM", "Score"},
                                       {"TRACKNUMBER", "7/9"},
                                       {"DATE", "2019"},
                                       {"GENRE", "Ambient"},
                                       {"ARTIST", "Ensemble"},
                                       {"COMPOSER", "Composer"}}));
        ASSERT_TRUE(file.save());
    }
    const fs::path flac = media.make("comments.flac", tone + "-c:a flac");
    {
        TagLib::FLAC::File file(flac.c_str());
        file.xiphComment(true)->setProperties(properties({{"TITLE", "Tide"},
                                                          {"TRACKNUMBER", "5"},
                                                          {"DATE", "2001"},
                                                          {"ORGANIZATION", "Records"},
                                                          {"COMMENT", "skipped"}}));
        ASSERT_TRUE(file.save());
    }
    const fs::path wav = media.make("chunks.wav", tone + "-c:a pcm_s16le");
    {
        TagLib::RIFF::WAV::File file(wav.c_str());
        TagLib::RIFF::Info::Tag& info = *file.InfoTag();
        info.setTitle("Info title");
        info.setAlbum("Info album");
        info.setFieldText("IPRT", "4");
        info.setFieldText("ICRD", "2010");
        file.ID3v2Tag()->setTitle("ID3 title"); // the ID3 chunk outranks the INFO list
        ASSERT_TRUE(file.save());
    }

    struct Case {
        fs::path file;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {mp3,
         {"Anthem \xC3\xA9t\xC3\xA9", "Harbour", "3/12", "1999", "Score", "Band", "Writer",
          "Label"}},
        {userYear, {"", "", "", "2003", "", "", "", ""}},
        {m4a, {"Theme", "Score", "7/9", "2019", "Ambient", "Ensemble", "Composer", ""}},
        {flac, {"Tide", "", "5", "2001", "", "", "", "Records"}},
        {wav, {"ID3 title", "Info album", "4", "2010", "", "", "", ""}},
        {media.text("notes.mp3", "not audio"), {"", "", "", "", "", "", "", ""}},
        {media.folder() / "missing.wav", {"", "", "", "", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        std::ostringstream diagnostics;
        ::testing::internal::CaptureStdout();
        const AudioFileTags tags = readAudioFileTags(c.file, &diagnostics);
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
        EXPECT_EQ(fieldsOf(tags), c.fields) << c.file;
        if (c.file == mp3) {
            EXPECT_NE(diagnostics.str().find("***  skip ENCODER NOTE 2020\n"), std::string::npos)
                << diagnostics.str();
        }
        if (c.file == flac) {
            EXPECT_NE(diagnostics.str().find("***  skip COMMENT skipped\n"), std::string::npos)
                << diagnostics.str();
        }
    }

    // The clip probe reads only an on-line audio file's tags.
    Asset song;
    song.category = Asset::Category::Audio;
    song.online = true;
    song.url = "file://" + mp3.string();
    StoryElement clip;
    clip.asset = &song;
    ClipMediaProbe probe;
    EXPECT_EQ(probe.readAudioMetadata(clip)->ID3album, "Harbour");
    for (auto change :
         {+[](Asset& a) { a.online = false; }, +[](Asset& a) { a.category = Asset::Category::AV; },
          +[](Asset& a) { a.url = "http://example.com/id3.mp3"; }}) {
        Asset other;
        other.category = song.category;
        other.online = song.online;
        other.url = song.url;
        change(other);
        clip.asset = &other;
        EXPECT_EQ(fieldsOf(*probe.readAudioMetadata(clip)), fieldsOf(ID3Fields{}));
    }

    // A sheet's tags are read side by side before its rows, each file once whatever its names,
    // and a file's lines are written when its first row asks.
    const fs::path alias = media.folder() / "alias.mp3";
    fs::create_hard_link(mp3, alias);
    const fs::path names[] = {flac, mp3, alias};
    std::vector<Asset> files(std::size(names));
    std::vector<StoryElement> elements(files.size());
    std::vector<StoryElement*> rows;
    for (std::size_t i = 0; i < files.size(); ++i) {
        files[i].category = Asset::Category::Audio;
        files[i].online = true;
        files[i].url = names[i].string();
        elements[i].asset = &files[i];
        rows.push_back(&elements[i]);
    }
    std::ostringstream lines;
    ClipMediaProbe sheet(&lines);
    sheet.readAudioMetadataOf(rows, nullptr);
    EXPECT_EQ(lines.str(), "");
    EXPECT_EQ(sheet.readAudioMetadata(elements[0])->ID3title, "Tide");
    EXPECT_EQ(sheet.readAudioMetadata(elements[1])->ID3album, "Harbour");
    EXPECT_EQ(sheet.readAudioMetadata(elements[2])->ID3album, "Harbour");
    const std::string written = lines.str();
    EXPECT_LT(written.find("COMMENT skipped"), written.find("ENCODER NOTE"));
    EXPECT_NE(written.find("ENCODER NOTE"), std::string::npos);
    EXPECT_EQ(written.find("ENCODER NOTE"), written.rfind("ENCODER NOTE")) << written;

    // A helper that never answers: the wait keeps the caller's window turning on the caller's
    // thread until the time limit, then the file is given up on and the probe's warning says so.
    const fs::path silent = media.text("silent-helper", "#!/bin/sh\nexec sleep 600\n");
    fs::permissions(silent, fs::perms::owner_all);
    HostTurns turns;
    ClipMediaProbe waiting(
        nullptr,
        {.timeout = std::chrono::milliseconds(1'500), .helper = silent, .whileWaiting = [&turns] {
             turns.emplace_back(std::chrono::steady_clock::now(), std::this_thread::get_id());
         }});
    clip.asset = &song;
    EXPECT_EQ(fieldsOf(*waiting.readAudioMetadata(clip)), fieldsOf(ID3Fields{}));
    expectKeptTurning(turns, 10);
    EXPECT_NE(waiting.givenUpWarning().value_or("").find(mp3.string() +
                                                         "\u201d (took longer than 1.5 s to read)"),
              std::string::npos);
}

} // namespace
} // namespace marrowvale::testing
