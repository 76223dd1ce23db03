#include "DovovevoZavCore/TimecodeTransfer.h"

#include "DovovevoZavCore/TimecodeCoding.h"

#include <gtest/gtest.h>

using namespace dovovevozav;
namespace Transfer = TimecodeTransfer;
using Providers = std::vector<std::shared_ptr<const ItemProvider>>;

namespace {
Timecode tc(const char* text, TimecodeFrameRate rate) {
    return Timecode(FormattedTimecodeSourceValue(text), TimecodeProperties(rate));
}

std::string textOf(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

/// A provider that claims a type but fails to load it.
class FailingProvider : public ItemProvider {
public:
    explicit FailingProvider(std::string type) : type_(std::move(type)) {}
    bool hasItemConformingTo(std::string_view typeIdentifier) const override {
        return typeIdentifier == type_;
    }
    std::vector<std::uint8_t> loadData(std::string_view) const override {
        throw ItemProviderError("load failed");
    }

private:
    std::string type_;
};

std::shared_ptr<const ItemProvider> text(std::string_view value) {
    return std::make_shared<DataItemProvider>(DataItemProvider::text(value));
}

std::shared_ptr<const ItemProvider> typed(const Timecode& timecode) {
    return std::make_shared<DataItemProvider>(ContentType::timecode(),
                                              Transfer::exportTimecodeData(timecode));
}
} // namespace

TEST(TimecodeTransferTest, ContentTypesAndRepresentations) {
    const auto& types = Transfer::itemProviderContentTypes();
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0].identifier(), "com.fernhollow.DovovevoZav.timecode");
    EXPECT_TRUE(types[0].conforms("public.data"));
    EXPECT_EQ(types[1].identifier(), "public.utf8-plain-text");
    EXPECT_TRUE(types[1].conforms("public.plain-text"));
    EXPECT_FALSE(types[1].conforms(types[0].identifier()));

    const Timecode copied = tc("10:00:00;00", TimecodeFrameRate::fps29_97d);
    EXPECT_EQ(textOf(Transfer::exportTimecodeData(copied)), timecodeJSONText(copied));
    EXPECT_EQ(textOf(Transfer::exportPlainText(copied)), "10:00:00;00.00");
    EXPECT_EQ(Transfer::importTimecodeData(Transfer::exportTimecodeData(copied)), copied);
}

TEST(TimecodeTransferTest, MakingProviders) {
    const Timecode hour = tc("01:00:00:00", TimecodeFrameRate::fps24);
    const Providers plain = Transfer::makeItemProviders(hour);
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_TRUE(plain[0]->hasItemConformingTo("com.fernhollow.DovovevoZav.timecode"));
    EXPECT_EQ(textOf(plain[0]->loadData("com.fernhollow.DovovevoZav.timecode")),
              timecodeJSONText(hour));
    EXPECT_FALSE(plain[1]->hasItemConformingTo("com.fernhollow.DovovevoZav.timecode"));
    EXPECT_EQ(textOf(plain[1]->loadData("public.utf8-plain-text")), "01:00:00:00");
    const Providers withSubFrames =
        Transfer::makeItemProviders(hour, {TimecodeStringFormatOption::showSubFrames});
    EXPECT_EQ(textOf(withSubFrames[1]->loadData("public.plain-text")), "01:00:00:00.00");

    // Loaded back with other properties, the typed form keeps its own.
    const Timecode loaded =
        Transfer::loadTimecode(plain, TimecodeProperties(TimecodeFrameRate::fps50));
    EXPECT_EQ(loaded.properties(), hour.properties());
    EXPECT_EQ(loaded.components(), hour.components());
}

TEST(TimecodeTransferTest, LoadingOrderAndFallbacks) {
    const TimecodeProperties at25(TimecodeFrameRate::fps25);
    const Timecode dropFrame = tc("01:00:00;00", TimecodeFrameRate::fps29_97d);

    // The typed pass comes first, whatever the order of the providers.
    EXPECT_EQ(Transfer::loadTimecode(Providers{text("02:00:00:00"), typed(dropFrame)}, at25),
              dropFrame);

    const Timecode pasted = Transfer::loadTimecode(Providers{text("01:00:00:00")}, at25);
    EXPECT_EQ(pasted.formattedString(), "01:00:00:00");
    EXPECT_EQ(pasted.frameRate(), TimecodeFrameRate::fps25);
    EXPECT_EQ(Transfer::loadTimecode(*text("01:00:00:30"), at25).components().frames, 30);

    // A typed item that fails to decode gives way to text on a later provider.
    const auto broken = std::make_shared<DataItemProvider>(ContentType::timecode(),
                                                           std::vector<std::uint8_t>{'{', '}'});
    EXPECT_EQ(
        Transfer::loadTimecode(Providers{broken, text("03:00:00:00")}, at25).formattedString(),
        "03:00:00:00");
    const auto failingTyped =
        std::make_shared<FailingProvider>("com.fernhollow.DovovevoZav.timecode");
    EXPECT_EQ(
        Transfer::loadTimecode(Providers{failingTyped, typed(dropFrame), text("04:00:00:00")}, at25)
            .formattedString(),
        "04:00:00:00");

    // Every failure surfaces as the one transfer error.
    const auto failingText = std::make_shared<FailingProvider>("public.utf8-plain-text");
    const auto nothing = std::make_shared<DataItemProvider>();
    const auto image = std::make_shared<DataItemProvider>(
        ContentType("public.png", {"public.image", "public.data"}), std::vector<std::uint8_t>{1});
    const Providers failures[] = {
        {},
        {nothing, image},
        {text("no timecode here")},
        {failingText, text("01:00:00:00")},
        {std::make_shared<DataItemProvider>(DataItemProvider::text("\xff\xfe"))},
    };
    for (const Providers& providers : failures) {
        EXPECT_THROW((void)Transfer::loadTimecode(providers, at25), TimecodeTransferError);
    }
    EXPECT_THROW((void)Transfer::loadTimecode(*image, at25), TimecodeTransferError);
}
