#include "app/LayoutEditor.h"

#include "app/SettingsState.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace marrowvale;
namespace fs = std::filesystem;

namespace {

class LayoutEditorTest : public ::testing::Test {
protected:
    LayoutEditorTest() { path_ = folder_ / "Layouts.json"; }

    LayoutEditor& startEditor() {
        editor_.loadLayouts(path_);
        return editor_;
    }

    void add(const std::string& name) {
        editor_.addLayout();
        editor_.confirmLayoutName(name);
    }

    std::vector<std::string> savedNames() {
        std::vector<std::string> names;
        for (const LayoutsItem& layout : LayoutsFile(path_).load()) {
            names.push_back(layout.name);
        }
        return names;
    }

    marrowvale::testing::ScratchFolder scratch_;
    const fs::path folder_ = scratch_.path();
    fs::path path_;
    SettingsState settings_;
    std::vector<std::string> log_;
    LayoutEditor editor_{settings_, [this](const std::string& line) { log_.push_back(line); }};
};

using Names = std::vector<std::string>;

} // namespace

TEST(LayoutNames, UniqueNameIncrementsTrailingDigits) {
    const std::pair<const char*, const char*> cases[] = {
        {"Dailies", "Dailies1"},
        {"Dailies1", "Dailies2"},
        {"Take 09", "Take 10"},
        {"Cut 099", "Cut 100"},
        {"Reel 99", "Reel 100"},
        {"007", "008"},
        {"", "1"},
        {"9", "10"},
        {"Big 99999999999999999999", "Big 100000000000000000000"}, // beyond 64 bits
        {"Reel ٣", "Reel ٣1"},                                     // digits other than 0-9 are text
    };
    for (auto [name, expected] : cases) {
        EXPECT_EQ(LayoutEditor::uniqueLayoutName(name), expected) << name;
    }
}

TEST_F(LayoutEditorTest, AddRenameRemoveKeepMenusListAndFileInStep) {
    startEditor();
    EXPECT_EQ(log_.back().rfind("The layouts file", 0), 0u); // a missing file is only logged
    add("Dailies");
    add("Dailies");
    add("Dailies");
    EXPECT_EQ(settings_.layoutMenuItems(LayoutMenu::settings),
              (Names{"Dailies", "Dailies1", "Dailies2"}));
    EXPECT_EQ(settings_.layoutMenuItems(LayoutMenu::app),
              settings_.layoutMenuItems(LayoutMenu::settings));
    EXPECT_EQ(savedNames(), (Names{"Dailies", "Dailies1", "Dailies2"}));
    EXPECT_EQ(settings_.selectedLayoutIndex(LayoutMenu::settings), 3);
    EXPECT_EQ(settings_.selectedLayoutIndex(LayoutMenu::app), 0); // main menu keeps its choice
    EXPECT_EQ(editor_.layouts()[2].thumbnailWidthPopup, "40");
    EXPECT_FALSE(settings_.columnState(ColumnCheckbox::track));
    EXPECT_TRUE(settings_.editAndRemoveEnabled());

    // Rename the first of three: it stays first, and the next change is recorded in it.
    settings_.selectLayoutIndex(LayoutMenu::settings, 1);
    editor_.chooseLayoutInSettings();
    editor_.editLayout();
    EXPECT_EQ(settings_.nameSheet(), "Dailies");
    editor_.confirmLayoutName("Selects");
    EXPECT_EQ(savedNames(), (Names{"Selects", "Dailies1", "Dailies2"}));
    EXPECT_EQ(settings_.selectedLayoutIndex(LayoutMenu::app), 1);
    settings_.setColumnState(ColumnCheckbox::scene, true);
    editor_.columnCheckboxChanged(ColumnCheckbox::scene);
    EXPECT_TRUE(LayoutsFile(path_).load()[0].sceneColumnCheckbox);

    // Renaming onto another layout's name makes it unique; OK without a change keeps the name
    // and writes again; an empty name only closes the sheet.
    editor_.editLayout();
    editor_.confirmLayoutName("Dailies1");
    EXPECT_EQ(editor_.layouts()[0].name, "Dailies3");
    fs::remove(path_);
    editor_.editLayout();
    editor_.confirmLayoutName("Dailies3");
    EXPECT_EQ(savedNames(), (Names{"Dailies3", "Dailies1", "Dailies2"}));
    fs::remove(path_);
    editor_.editLayout();
    editor_.confirmLayoutName("");
    EXPECT_FALSE(fs::exists(path_));

    // Remove the chosen layout: gone from both menus and the file; the one above is applied.
    settings_.selectLayoutIndex(LayoutMenu::settings, 2);
    editor_.chooseLayoutInSettings();
    editor_.removeLayout();
    EXPECT_EQ(savedNames(), (Names{"Dailies3", "Dailies2"}));
    EXPECT_EQ(settings_.layoutMenuItems(LayoutMenu::app), (Names{"Dailies3", "Dailies2"}));
    EXPECT_EQ(settings_.selectedLayoutIndex(LayoutMenu::settings), 1);
    EXPECT_EQ(settings_.selectedLayoutIndex(LayoutMenu::app), 1);
    EXPECT_TRUE(settings_.columnState(ColumnCheckbox::scene)); // Dailies3 applied

    // Loading again lists the same layouts in both menus.
    SettingsState other;
    LayoutEditor second(other, [](const std::string&) {});
    second.loadLayouts(path_);
    EXPECT_EQ(other.layoutMenuItems(LayoutMenu::settings), (Names{"Dailies3", "Dailies2"}));
}

TEST_F(LayoutEditorTest, BuiltInLayoutIsFixedAndSavedLayoutsRecordChanges) {
    startEditor();
    add("Mine");
    settings_.setThumbnailWidthText("-150");
    editor_.thumbnailWidthChanged();
    EXPECT_EQ(editor_.layouts()[0].thumbnailWidthPopup, "150");
    settings_.setThumbnailWidthText("wide");
    editor_.thumbnailWidthChanged();
    EXPECT_EQ(editor_.layouts()[0].thumbnailWidthPopup, "40");
    settings_.setThumbnailWidthText("120");
    editor_.thumbnailWidthChanged();
    settings_.setColumnState(ColumnCheckbox::id3Metadata, true);
    editor_.columnCheckboxChanged(ColumnCheckbox::id3Metadata);

    // The main window's menu chooses the built-in layout: every column but four, width 40,
    // everything locked, and a stray change records nothing.
    settings_.selectLayoutIndex(LayoutMenu::app, 0);
    editor_.chooseLayoutInApp();
    EXPECT_EQ(settings_.selectedLayoutIndex(LayoutMenu::settings), 0);
    for (const ReportColumn& column : reportColumns) {
        bool off = column.checkbox == ColumnCheckbox::rowNumbers ||
                   column.checkbox == ColumnCheckbox::thumbnails ||
                   column.checkbox == ColumnCheckbox::keepThumbnails ||
                   column.checkbox == ColumnCheckbox::id3Metadata;
        EXPECT_EQ(settings_.columnState(column.checkbox), !off) << column.title;
        EXPECT_FALSE(settings_.columnEnabled(column.checkbox));
    }
    EXPECT_EQ(settings_.thumbnailWidthText(), "40");
    EXPECT_FALSE(settings_.thumbnailWidthEnabled());
    EXPECT_FALSE(settings_.editAndRemoveEnabled());
    EXPECT_EQ(editor_.selectedLayoutName(LayoutMenu::app), "Default");
    std::string before = log_.back();
    editor_.columnCheckboxChanged(ColumnCheckbox::track);
    editor_.removeLayout();
    EXPECT_EQ(editor_.layouts().size(), 1u);

    // Choosing the saved layout again by name shows what was recorded.
    EXPECT_TRUE(editor_.chooseLayoutNamed("Mine"));
    EXPECT_TRUE(settings_.columnState(ColumnCheckbox::id3Metadata));
    EXPECT_FALSE(settings_.columnState(ColumnCheckbox::track));
    EXPECT_EQ(settings_.thumbnailWidthText(), "120");
    EXPECT_TRUE(settings_.columnEnabled(ColumnCheckbox::keepThumbnails));
    EXPECT_EQ(editor_.selectedLayoutName(LayoutMenu::app), "Mine");
    EXPECT_FALSE(editor_.chooseLayoutNamed("Nope"));

    // A rename while the built-in layout is chosen changes nothing.
    editor_.editLayout();
    settings_.selectLayoutIndex(LayoutMenu::settings, 0);
    editor_.confirmLayoutName("Other");
    EXPECT_EQ(editor_.layouts()[0].name, "Mine");
}

TEST_F(LayoutEditorTest, WithoutAnApplicationFolderNothingIsWritten) {
    editor_.loadLayouts(std::nullopt);
    add("Mine");
    EXPECT_EQ(editor_.layouts().size(), 1u);
    EXPECT_TRUE(log_.empty());
    EXPECT_FALSE(fs::exists(path_));
}
