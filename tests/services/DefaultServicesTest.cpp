#include "services/DefaultServices.h"

#include <gtest/gtest.h>

namespace marrowvale::testing {
namespace {

// Both front ends get every service: an entry left empty would meet the user as the
// controller's "not available" alert.
TEST(DefaultServices, WiresEveryServiceAndTheMediaFormatCheck) {
    AppServices services = defaultAppServices(nullptr);
    EXPECT_TRUE(services.processXMEML);
    EXPECT_TRUE(services.processOTIO);
    EXPECT_TRUE(services.createXLSX);
    EXPECT_TRUE(services.writesOptionalSheets);
    EXPECT_TRUE(services.makesThumbnails);
    ASSERT_TRUE(services.describeMediaFormats);
    MediaFormatSummary summary = services.describeMediaFormats();
    EXPECT_EQ(summary.messageText, "Media formats");
    EXPECT_NE(summary.informativeText.find("video formats"), std::string::npos);
}

} // namespace
} // namespace marrowvale::testing
