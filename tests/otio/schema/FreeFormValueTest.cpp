// Free-form values as the report shows them: each JSON kind kept apart, with its display text,
// debug text and member texts; the number words OTIO writers emit read as numbers.
#include "SchemaTestSupport.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace marrowvale::otio;
using Kind = AnyCodable::Kind;

namespace {

// A document whose one Premiere parameter starts at `valueText`; the bare word also puts the
// whole text through the reading of number words.
std::string documentWithValue(const std::string& valueText) {
    return R"({"OTIO_SCHEMA": "Timeline.1", "metadata": {}, "name": "Values",
        "tracks": {"OTIO_SCHEMA": "Stack.1", "name": "", "children": [{"OTIO_SCHEMA": "Clip.1",
        "name": "-Infinity cut", "metadata": {"PremierePro_OTIO": {"Parameters": [
        {"DisplayName": "NaN", "StartValue": {"Value": )" +
           valueText + R"(}}]}},
        "source_range": {"OTIO_SCHEMA": "TimeRange.1",
            "duration": {"OTIO_SCHEMA": "RationalTime.1", "rate": 24, "value": Inf},
            "start_time": {"OTIO_SCHEMA": "RationalTime.1", "rate": 24, "value": 0}}}]}})";
}

AnyCodable decodedValue(const std::string& valueText) {
    const Timeline timeline = decodeTimeline(documentWithValue(valueText));
    const Child& clip = timeline.tracks.children.at(0);
    // Words inside text are left alone.
    EXPECT_EQ(clip.name, "-Infinity cut");
    EXPECT_EQ(clip.metadata->premiereproOTIO->parameters->at(0).displayName, "NaN");
    EXPECT_EQ(clip.sourceRange->duration.value, 999999999.0);
    return clip.metadata->premiereproOTIO->parameters->at(0).startValue->value;
}

} // namespace

TEST(FreeFormValue, KeepsEachKindWithItsDisplayAndDebugTexts) {
    struct Case {
        std::string json;
        Kind kind;
        std::string stringValue;
        std::string debugDescription;
    };
    const std::vector<Case> cases = {
        {"null", Kind::null, "null", "Marrowvale.AnyCodable(value: null)"},
        {R"("12")", Kind::text, "12", R"(Marrowvale.AnyCodable(value: "12"))"},
        {"12", Kind::integer, "12", "Marrowvale.AnyCodable(value: 12)"},
        {"-999999999", Kind::integer, "-999999999", "Marrowvale.AnyCodable(value: -999999999)"},
        {"2.5", Kind::real, "2.5", "Marrowvale.AnyCodable(value: 2.5)"},
        {"2.0", Kind::real, "2", "Marrowvale.AnyCodable(value: 2.0)"},
        {"0.1", Kind::real, "0.1", "Marrowvale.AnyCodable(value: 0.1)"},
        {"1e20", Kind::real, "1e+20", "Marrowvale.AnyCodable(value: 1e+20)"},
        {"12.5e-6", Kind::real, "1.25e-05", "Marrowvale.AnyCodable(value: 1.25e-05)"},
        {"true", Kind::flag, "true", "Marrowvale.AnyCodable(value: true)"},
        {"false", Kind::flag, "false", "Marrowvale.AnyCodable(value: false)"},
        // Integers beyond 64 signed bits are kept as reals.
        {"9223372036854775807", Kind::integer, "9223372036854775807",
         "Marrowvale.AnyCodable(value: 9223372036854775807)"},
        {"9223372036854775808", Kind::real, "9.223372036854776e+18",
         "Marrowvale.AnyCodable(value: 9.223372036854776e+18)"},
        {"-9223372036854775809", Kind::real, "-9.223372036854776e+18",
         "Marrowvale.AnyCodable(value: -9.223372036854776e+18)"},
        {"170141183460469231731687303715884105728", Kind::real, "1.7014118346046923e+38",
         "Marrowvale.AnyCodable(value: 1.7014118346046923e+38)"},
        // Number words where a value stands.
        {"Inf", Kind::integer, "999999999", "Marrowvale.AnyCodable(value: 999999999)"},
        {"-Inf", Kind::integer, "-999999999", "Marrowvale.AnyCodable(value: -999999999)"},
        {"Infinity", Kind::integer, "999999999", "Marrowvale.AnyCodable(value: 999999999)"},
        {"-Infinity", Kind::integer, "-999999999", "Marrowvale.AnyCodable(value: -999999999)"},
        {"NaN", Kind::real, "nan", "Marrowvale.AnyCodable(value: nan)"},
        {R"([NaN, "-Infinity", -Inf])", Kind::list,
         R"([Marrowvale.AnyCodable(value: nan), Marrowvale.AnyCodable(value: "-Infinity"), )"
         R"(Marrowvale.AnyCodable(value: -999999999)])",
         ""},
        // Lists and dictionaries: dictionaries display sorted by key (bytes: "Z" before "a").
        {"[]", Kind::list, "[]", "Marrowvale.AnyCodable(value: [])"},
        {"{}", Kind::dictionary, "[]", "Marrowvale.AnyCodable(value: [:])"},
        {R"({"b": 1, "a": "x", "Z": null})", Kind::dictionary,
         R"([(key: "Z", value: Marrowvale.AnyCodable(value: null)), )"
         R"((key: "a", value: Marrowvale.AnyCodable(value: "x")), )"
         R"((key: "b", value: Marrowvale.AnyCodable(value: 1))])",
         ""},
        {R"([[1], {"k": 2.0}, {}, "a\"b\\c\nd\te\r"])", Kind::list,
         R"([Marrowvale.AnyCodable(value: [Marrowvale.AnyCodable(value: 1)]), )"
         R"(Marrowvale.AnyCodable(value: ["k": Marrowvale.AnyCodable(value: 2.0)]), )"
         R"(Marrowvale.AnyCodable(value: [:]), Marrowvale.AnyCodable(value: "a\"b\\c\nd\te\r")])",
         ""},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.json);
        const AnyCodable value = decodedValue(row.json);
        EXPECT_EQ(value.kind(), row.kind);
        EXPECT_EQ(value.stringValue(), row.stringValue);
        if (!row.debugDescription.empty()) {
            EXPECT_EQ(value.debugDescription(), row.debugDescription);
        }
    }
    EXPECT_TRUE(std::isnan(*decodedValue("NaN").real()));
}

TEST(FreeFormValue, MemberTextsOfADictionaryKeepTheFractionOfWholeReals) {
    const AnyCodable value = decodedValue(
        R"({"X": 2.0, "t": "txt", "n": null, "b": true, "i": 3, "l": [1], "d": {"k": "v"}})");
    const std::map<std::string, std::string> expected = {
        {"X", "2.0"},
        {"t", "txt"},
        {"n", "null"},
        {"b", "true"},
        {"i", "3"},
        {"l", "[Marrowvale.AnyCodable(value: 1)]"},
        {"d", R"(["k": Marrowvale.AnyCodable(value: "v")])"},
    };
    EXPECT_EQ(value.stringDictionary(), expected);
    EXPECT_TRUE(value.stringValue().starts_with(
        R"([(key: "X", value: Marrowvale.AnyCodable(value: 2.0)), (key: "b", )"));
    for (const char* other : {"[1]", "2.0", R"("text")", "null"}) {
        EXPECT_TRUE(decodedValue(other).stringDictionary().empty()) << other;
    }
}
