#include "DovovevoZavCore/CharacterSet.h"
#include "DovovevoZavCore/DoubleText.h"
#include "DovovevoZavCore/RegexUtilities.h"
#include "DovovevoZavCore/TemporaryFile.h"
#include "DovovevoZavCore/UTF8Text.h"

#include <cerrno>
#include <cmath>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/resource.h>

using namespace dovovevozav;

namespace {

/// Lets no file grow beyond zero bytes for as long as it lives, so that every write fails.
class NoFileGrowth {
public:
    NoFileGrowth() {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit none = old_;
        none.rlim_cur = 0;
        ::setrlimit(RLIMIT_FSIZE, &none);
    }
    ~NoFileGrowth() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldSignal_);
    }
    NoFileGrowth(const NoFileGrowth&) = delete;
    NoFileGrowth& operator=(const NoFileGrowth&) = delete;

private:
    rlimit old_{};
    void (*oldSignal_)(int) = nullptr;
};

} // namespace

TEST(TextUtilitiesTest, RegexCaptureGroups) {
    // Two groups joined by one colon cannot match four colon-separated groups.
    EXPECT_TRUE(regexCaptureGroups("01:02:03:04", R"(^(\d+):(\d+)$)").empty());

    const auto groups = regexCaptureGroups("01:02:03:04", R"(^(\d+):(\d+):(\d+):(\d+)(\.(\d+))?$)");
    ASSERT_EQ(groups.size(), 7u);
    EXPECT_EQ(groups[0], "01:02:03:04");
    EXPECT_EQ(groups[1], "01");
    EXPECT_EQ(groups[4], "04");
    EXPECT_FALSE(groups[5].has_value());
    EXPECT_FALSE(groups[6].has_value());

    // Every match contributes its groups in order; an empty group is present but empty.
    const auto repeated = regexCaptureGroups("a1 b2", R"((\w)(\d))");
    ASSERT_EQ(repeated.size(), 6u);
    EXPECT_EQ(repeated[3], "b2");
    EXPECT_EQ(regexCaptureGroups("x", "(y?)x")[1], "");

    EXPECT_TRUE(regexCaptureGroups("abc", "(unclosed").empty());
    EXPECT_EQ(regexCaptureGroups("ABC", "abc", RegexOption::caseInsensitive).size(), 1u);
    // Non-ASCII text survives the UTF-16 round trip.
    EXPECT_EQ(regexCaptureGroups("Café 12", R"((\S+) (\d+))")[1], "Café");
}

TEST(TextUtilitiesTest, RegexMatchesAndReplacing) {
    EXPECT_EQ(regexMatches("10:20;30", R"(\d+)"), (std::vector<std::string>{"10", "20", "30"}));
    EXPECT_TRUE(regexMatches("abc", "[").empty());
    EXPECT_EQ(regexReplacing("01:00:00;00", "[:;]", "-"), "01-00-00-00");
    EXPECT_EQ(regexReplacing("a1b2", R"((\d))", "<$1>"), "a<1>b<2>");
    EXPECT_FALSE(regexReplacing("abc", "(", "x").has_value());
}

TEST(TextUtilitiesTest, DoubleText) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {1.0, "1.0"},
        {-2.0, "-2.0"},
        {0.0, "0.0"},
        {-0.0, "-0.0"},
        {29.97, "29.97"},
        {0.1, "0.1"},
        {1.0 / 3, "0.3333333333333333"},
        {30 / 1.001, "29.970029970029973"},
        {107892.0, "107892.0"},
        {0.0001, "0.0001"},
        {0.00001, "1.0e-05"},
        {-0.00001, "-1.0e-05"},
        {1e16, "1.0e+16"},
        {1.5e20, "1.5e+20"},
        {9007199254740991.0, "9007199254740991.0"},
        {9007199254740992.0, "9.007199254740992e+15"}, // 2^53: whole numbers start to be lost
        {123456.789, "123456.789"},
        {NAN, "nan"},
        {INFINITY, "inf"},
        {-INFINITY, "-inf"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(doubleText(c.value), c.text);
    }
}

TEST(TextUtilitiesTest, StrictUTF8) {
    EXPECT_TRUE(isValidUTF8(""));
    EXPECT_TRUE(isValidUTF8("Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
                            "e \xF0\x9F\x8E\xAC"));
    EXPECT_FALSE(isValidUTF8("Cr\xE8me"));         // a Latin-1 byte
    EXPECT_FALSE(isValidUTF8("\xC0\xAF"));         // overlong "/"
    EXPECT_FALSE(isValidUTF8("\xED\xA0\x80"));     // a surrogate
    EXPECT_FALSE(isValidUTF8("\xF4\x90\x80\x80")); // beyond U+10FFFF
    EXPECT_FALSE(isValidUTF8("\xE2\x82"));         // cut short
}

TEST(TextUtilitiesTest, CharacterSetsAndTemporaryFiles) {
    const CharacterSet digits{"0123456789"};
    const CharacterSet separators{":;", "."};
    const CharacterSet timecode = digits.united(separators);
    const struct {
        const char* text;
        const CharacterSet& set;
        bool all;
    } rows[] = {
        {"01:00:00;00.40", timecode, true},
        {"", digits, true},
        {"01:00", digits, false},
        {"\u0661\u0662", digits, false}, // Arabic-Indic digits are other scalars
        {"\xff", digits, false},         // ill-formed UTF-8 is no digit
        {"0\xff", digits, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(allScalars(row.text, row.set), row.all) << row.text;
    }
    EXPECT_EQ(timecode.size(), 13u);
    EXPECT_EQ(timecode.subtracting(separators), digits);
    CharacterSet accents{"\u00e9", "\u00e9\u00e9"};
    EXPECT_EQ(accents.size(), 1u);
    EXPECT_TRUE(allScalars("\u00e9\u00e9", accents));
    accents.formUnion(digits);
    EXPECT_TRUE(allScalars("\u00e90", accents));
    accents.subtract(CharacterSet{"\u00e9"});
    EXPECT_EQ(accents, digits);

    const std::uint8_t bytes[] = {'t', 'c', 0, 1};
    const std::filesystem::path path = writeToTemporaryFile(bytes);
    EXPECT_EQ(path.parent_path(), std::filesystem::temp_directory_path());
    const std::string name = path.filename().string();
    EXPECT_EQ(name.size(), 36u);
    EXPECT_EQ(name.find_first_not_of("0123456789ABCDEF-"), std::string::npos) << name;
    EXPECT_EQ(name[14], '4') << name;
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), std::string("tc\0\1", 4));
    const std::filesystem::path another = writeToTemporaryFile(bytes);
    EXPECT_NE(another, path);
    std::filesystem::remove(path);
    std::filesystem::remove(another);

    // A write that fails is thrown with the system's reason and leaves no file behind.
    try {
        const NoFileGrowth full;
        (void)writeToTemporaryFile(bytes);
        ADD_FAILURE() << "a failed write was reported as written";
    } catch (const std::filesystem::filesystem_error& error) {
        EXPECT_EQ(error.code().value(), EFBIG) << error.what();
        EXPECT_FALSE(std::filesystem::exists(error.path1())) << error.path1();
    }
}
