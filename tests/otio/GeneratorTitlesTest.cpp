// Titles among generators: Resolve's title HTML and "text" parameter, Premiere Pro's base64
// "Source Text", and what a damaged title gives.
#include "OTIOTestSupport.h"

#include <gtest/gtest.h>

namespace marrowvale::testing {
namespace {

using Category = StoryElement::Category;
using Params = std::map<std::string, std::string>;

/// A generator item whose media carries these Resolve parameter entries.
json generator(const std::string& name, json resolveEntries = json::array()) {
    json media = {{"OTIO_SCHEMA", "GeneratorReference.1"}, {"generator_kind", "Fusion Title"}};
    if (!resolveEntries.empty()) {
        media["parameters"] = {{"Resolve_OTIO", resolveEntries}};
    }
    return {{"OTIO_SCHEMA", "Clip.2"},
            {"name", name},
            {"source_range", timeRange(0, 24, 24)},
            {"media_references", {{"DEFAULT_MEDIA", media}}}};
}

/// One Resolve entry holding these parameter maps.
json entry(json maps) {
    return json::array({{{"Effect Name", "Text"}, {"Parameters", maps}}});
}

json htmlTitle(const std::string& name, json html) {
    return generator(name, entry({{{"Title HTML", html}}}));
}

/// A Premiere Pro effect with a "Source Text" parameter holding `base64`.
json sourceTextEffect(const std::string& base64) {
    return {{"OTIO_SCHEMA", "Effect.1"},
            {"name", "Text"},
            {"effect_name", "Text"},
            {"metadata",
             {{"PremierePro_OTIO",
               {{"Parameters",
                 {{{"DisplayName", "Opacity"}, {"StartValue", {{"Value", 100}}}},
                  {{"DisplayName", "Source Text"}, {"StartValue", {{"Value", base64}}}}}}}}}}};
}

TEST(GeneratorTitles, EachEditorsTitleGivesItsFontAndText) {
    const std::string style = " font-family:'Open Sans'; font-size:84pt; color:#ffffff;";
    const std::string resolveHTML =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\"><html><head><meta "
        "http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\"></head><body>"
        "<p><span style=\"" +
        style + "\">Hello</span></p><p><span>Second line</span></p></body></html>";
    json premiere = generator("Premiere title");
    premiere["effects"] = {sourceTextEffect("AAJBcmlhbC1Cb2xkTVQABwBIZWxsbyB3b3JsZAAB")};
    json badBase64 = generator("Bad base64");
    badBase64["effects"] = {sourceTextEffect("not base64!")};
    json plainClip = clip("Clip with text effect", "", 0, 24);
    plainClip["effects"] = premiere["effects"];
    json laterEntry = generator("Later entry");
    laterEntry["media_references"]["DEFAULT_MEDIA"]["parameters"]["Resolve_OTIO"] = {
        {{"Parameters", json::array()}},
        {{"Parameters", {{{"Parameter ID", "text"}, {"Parameter Value", "Lost"}}}}}};
    std::string nested = "<body><p><span>";
    for (int depth = 0; depth < 300000; ++depth) {
        nested += "<b>";
    }
    nested += "deep";

    auto imported = importDocument(timeline({track(
        "Video",
        {htmlTitle("Resolve title", resolveHTML),
         // The text is the value of the map that names "text", not of the font's map.
         generator("Text parameter",
                   entry({{{"Parameter ID", "font"}, {"Parameter Value", "Arial"}},
                          {{"Parameter ID", "text"}, {"Parameter Value", "Hello"}}})),
         generator("Number text", entry({{{"Parameter ID", "text"}, {"Parameter Value", 42}}})),
         generator("No value", entry({{{"Parameter ID", "text"}}})), premiere, badBase64,
         generator("Solid"), plainClip, laterEntry,
         htmlTitle("No style", "<body><p><span>Plain <b>bold</b></span></p></body>"),
         htmlTitle("Size first", "<p><span style=\"font-size:20pt;  font-family:'X'\">t</span>"),
         htmlTitle("Size only", "<p><span style=\"font-size:30pt;\">t</span>"),
         htmlTitle("Not text", 12), htmlTitle("No span", "<<<&&&>>> <p>x</p>"),
         htmlTitle("Entity", "<!DOCTYPE x [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>"
                             "<body><p><span>&e;</span></p></body>"),
         htmlTitle("Cut at NUL", std::string("<body><p><span>Kept\0</span>", 27) + "Lost"),
         htmlTitle("Too large", "<body><p><span>Big</span></p>" + std::string(1 << 20, ' ')),
         htmlTitle("Deep", nested)})}));

    const struct {
        std::string name;
        Category category;
        Params params;
    } expected[] = {
        {"Resolve title", Category::title, {{"font", "Open Sans 84pt"}, {"text", "Hello"}}},
        {"Text parameter", Category::title, {{"text", "Hello"}}},
        {"Number text", Category::title, {{"text", "42"}}},
        {"No value", Category::title, {{"text", ""}}},
        {"Premiere title", Category::title, {{"font", "Arial-BoldMT"}, {"text", "Hello world"}}},
        {"Bad base64", Category::title, {{"font", ""}, {"text", ""}}},
        {"Solid", Category::generator, {}},
        {"Clip with text effect", Category::null, {}},
        {"Later entry", Category::generator, {}},
        {"No style", Category::title, {{"font", ""}, {"text", "Plain bold"}}},
        // A family replaces what came before it.
        {"Size first", Category::title, {{"font", "X"}, {"text", "t"}}},
        {"Size only", Category::title, {{"font", "30pt"}, {"text", "t"}}},
        {"Not text", Category::title, {{"font", ""}, {"text", ""}}},
        {"No span", Category::title, {{"font", ""}, {"text", ""}}},
        {"Entity", Category::title, {{"font", ""}, {"text", "&e;"}}},
        {"Cut at NUL", Category::title, {{"font", ""}, {"text", "Kept"}}},
        {"Too large", Category::title, {{"font", ""}, {"text", ""}}},
        // The parser stops at its depth limit.
        {"Deep", Category::title, {{"font", ""}, {"text", ""}}},
    };
    const std::vector<StoryElement*>& items = imported->videoItems();
    ASSERT_EQ(items.size(), std::size(expected));
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(items[i]->name, expected[i].name);
        EXPECT_EQ(items[i]->category, expected[i].category);
        EXPECT_EQ(items[i]->params, expected[i].params);
    }
    EXPECT_EQ(items[0]->videoRole, "Fusion Title");
    // Of all these, only the title whose HTML is not read at all is worth a warning.
    EXPECT_EQ(imported->host.warnings,
              std::vector<std::string>{"The title \u201cToo large\u201d is listed without its "
                                       "font and text: its HTML is larger than the 1 MiB that "
                                       "is read."});
}

} // namespace
} // namespace marrowvale::testing
