#include "XMEMLTestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>

namespace marrowvale::testing {
namespace {

std::size_t storedObjects(const ModelContext& store) {
    return store.count<EventBin>() + store.count<VideoFormat>() + store.count<Asset>() +
           store.count<Composition>() + store.count<StoryElement>() + store.count<MarkedRange>();
}

const std::string notUTF8 = "The text of this file cannot be read.";
const std::string notUTF8Why = "Some of its text is neither UTF-8 nor in the character encoding "
                               "that its XML declaration names.";

TEST(ImportEntry, EveryFailureAlertsAndStoresNothing) {
    struct Case {
        std::string bytes;
        std::string message;
        std::string informative; // empty: libxml2's message, only checked to be non-empty
        std::string detail;      // what the parser found and where
    };
    const std::string notXML = "The file is not an XML file.";
    const Case cases[] = {
        {"not xml at all", "There is a problem with this XMEML", "", notXML},
        // No root element: an empty file, or one with only a declaration or comments.
        {"", "There is a problem with this .xml file", "This file is empty and cannot be used.",
         ""},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", "There is a problem with this .xml file",
         "This file is empty and cannot be used.", ""},
        {"<!-- exported -->\n", "There is a problem with this .xml file",
         "This file is empty and cannot be used.", ""},
        {"<?xml vers", "There is a problem with this XMEML", "",
         "Line 1, column 7: Malformed declaration expecting version"},
        {"<fcpxml version=\"1.9\"><library/></fcpxml>", "This is not a valid .xml file",
         "Please export a new Final Cut Pro XML file from Premiere Pro.", ""},
        {"<XMEML><sequence/></XMEML>", "This is not a valid .xml file",
         "Please export a new Final Cut Pro XML file from Premiere Pro.", ""},
        {"<filter><effect/></filter>", "This is not a valid .xml file",
         "Please export a new Final Cut Pro XML file from Premiere Pro.", ""},
        // Latin-1 bytes in a file that names no encoding, or names UTF-8, are not stored.
        {"<xmeml><sequence><name>Cr\xE8me</name></sequence></xmeml>", notUTF8, notUTF8Why,
         "Line 1, column 26: Input is not proper UTF-8, indicate encoding !\nBytes: 0xE8 0x6D "
         "0x65 0x3C"},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xmeml>\n<sequence id='Cr\xE8me'/></xmeml>",
         notUTF8, notUTF8Why,
         "Line 3, column 17: Input is not proper UTF-8, indicate encoding !\nBytes: 0xE8 0x6D "
         "0x65 0x27"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        auto imported = importXMEML(c.bytes);
        EXPECT_FALSE(imported->result.imported);
        EXPECT_EQ(imported->result.inputType, InputType::XMEML);
        ASSERT_EQ(imported->host.alerts.size(), 1u);
        EXPECT_EQ(imported->host.alerts[0].first, c.message);
        if (c.informative.empty()) {
            EXPECT_FALSE(imported->host.alerts[0].second.empty());
            ASSERT_FALSE(imported->result.diagnostics.empty());
            EXPECT_EQ(imported->result.diagnostics[0].rfind("LibXML error: code=", 0), 0u);
        } else {
            EXPECT_EQ(imported->host.alerts[0].second, c.informative);
        }
        EXPECT_EQ(imported->host.details[0], c.detail);
        EXPECT_EQ(imported->host.starts, 0);
        EXPECT_EQ(storedObjects(imported->store), 0u);
    }
}

// A failure part way through the import empties the store; only a lack of memory is called so.
TEST(ImportEntry, AFailurePartWayNamesItsOwnCause) {
    struct FailingHost : RecordingHost {
        std::function<void()> fail;
        void updateProgress(double) override { fail(); }
    };
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[] { throw std::bad_alloc(); }, "There is not enough memory to read this file."},
        {[] { throw std::runtime_error("The progress bar is gone."); },
         "The progress bar is gone."},
    };
    for (const auto& [fail, informative] : cases) {
        ModelContext store;
        FailingHost host;
        host.fail = fail;
        XMEMLImportResult result = processXMEML(store, sequenceDocument(""), host);
        EXPECT_FALSE(result.imported);
        ASSERT_EQ(host.alerts.size(), 1u);
        EXPECT_EQ(host.alerts[0],
                  std::make_pair(std::string("There is a problem with this XMEML"), informative));
        EXPECT_EQ(storedObjects(store), 0u);
    }
}

TEST(ImportEntry, BinsDecideTheProgressMaximum) {
    struct Case {
        std::string document;
        std::size_t bins;
        double maximum;
        double reached; // bins without clips spend their clip share, empty sequences nothing
    };
    const Case cases[] = {
        // Only a sequence: the root is the one bin.
        {sequenceDocument(""), 1, 10200, 100.5},
        // A project with a bin inside a bin: the project's children and both bins' children.
        {"<xmeml><project><name>P</name><children><bin><name>B1</name><children><bin>"
         "<name>B2</name><children/></bin></children></bin></children></project></xmeml>",
         3, 30400, 300.5},
    };
    for (const Case& c : cases) {
        auto imported = importXMEML(c.document);
        EXPECT_TRUE(imported->result.imported);
        EXPECT_TRUE(imported->host.alerts.empty());
        EXPECT_EQ(imported->store.count<EventBin>(), c.bins);
        EXPECT_EQ(imported->host.maximum, c.maximum);
        EXPECT_NEAR(imported->host.value, c.reached, 1e-9);
    }
}

TEST(ImportEntry, DamagedFilesAreReadInPartWithAWarning) {
    auto truncated = importXMEML("<xmeml>\n<sequence><name>A</name></sequence>\n<sequence><na");
    EXPECT_TRUE(truncated->result.imported);
    EXPECT_TRUE(truncated->host.alerts.empty());
    EXPECT_EQ(truncated->store.count<Composition>(), 2u);
    ASSERT_EQ(truncated->result.warnings.size(), 1u);
    EXPECT_EQ(truncated->result.warnings[0].rfind("This XMEML is damaged (line 3: ", 0), 0u)
        << truncated->result.warnings[0];

    auto whole = importXMEML("<xmeml><sequence><name>A</name></sequence></xmeml>\n");
    EXPECT_TRUE(whole->result.imported);
    EXPECT_TRUE(whole->result.warnings.empty());
}

TEST(ImportEntry, BytesAreDecodedByTheirDeclaredEncoding) {
    std::string latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<xmeml><sequence>"
                         "<name>Sc\xE8ne</name></sequence></xmeml>";
    auto imported = importXMEML(latin1);
    EXPECT_EQ(imported->sequence().name, "Sc\xC3\xA8ne");
    // Without a declaration the bytes are UTF-8.
    auto undeclared = importXMEML("<xmeml><sequence><name>Sc\xC3\xA8ne \xF0\x9F\x8E\xAC</name>"
                                  "</sequence></xmeml>");
    EXPECT_TRUE(undeclared->result.imported);
    EXPECT_EQ(undeclared->sequence().name, "Sc\xC3\xA8ne \xF0\x9F\x8E\xAC");
}

} // namespace
} // namespace marrowvale::testing
