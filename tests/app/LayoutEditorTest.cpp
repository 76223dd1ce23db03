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
    LayoutEditorTest() { path = folder / "Layouts.json"; }

    LayoutEditor& startEditor() {
        editor.loadLayouts(path);
        return editor;
    }

    void add(const std::string& name) {
        editor.addLayout();
        editor.confirmLayoutName(name);
    }

    std::vector<std::string> savedNames() {
        std::vector<std::string> names;
        for (const LayoutsItem& layout : LayoutsFile(path).load())
            names.push_back(layout.name);
        return names;
    }

    marrowvale::testing::ScratchFolder scratch_;
    const fs::path folder = scratch_.path();
    fs::path path;
    SettingsState settings;
    std::vector<std::string> log;
    LayoutEditor editor{settings, [this](const std::string& line) { log.push_back(line); }};
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
    for (auto [name, expected] : cases)
        EXPECT_EQ(LayoutEditor::uniqueLayoutName(name), expected) << name;
}

TEST_F(LayoutEditorTest, AddRenameRemoveKeepMenusListAndFileInStep) {
    startEditor();
    EXPECT_EQ(log.back().rfind("The layouts file", 0), 0u); // a missing file is only logged
    add("Dailies");
    add("Dailies");
    add("Dailies");
    EXPECT_EQ(settings.layoutMenuItems(LayoutMenu::settings),
              (Names{"Dailies", "Dailies1", "Dailies2"}));
    EXPECT_EQ(settings.layoutMenuItems(LayoutMenu::app),
              settings.layoutMenuItems(LayoutMenu::settings));
    EXPECT_EQ(savedNames(), (Names{"Dailies", "Dailies1", "Dailies2"}));
    EXPECT_EQ(settings.selectedLayoutIndex(LayoutMenu::settings), 3);
    EXPECT_EQ(settings.selectedLayoutIndex(LayoutMenu::app), 0); // main menu keeps its choice
    EXPECT_EQ(editor.layouts()[2].thumbnailWidthPopup, "40");
    EXPECT_FALSE(settings.columnState(ColumnCheckbox::track));
    EXPECT_TRUE(settings.editAndRemoveEnabled());

    // Rename the first of three: it stays first, and the next change is recorded in it.
    settings.selectLayoutIndex(LayoutMenu::settings, 1);
    editor.chooseLayoutInSettings();
    editor.editLayout();
    EXPECT_EQ(settings.nameSheet(), "Dailies");
    editor.confirmLayoutName("Selects");
    EXPECT_EQ(savedNames(), (Names{"Selects", "Dailies1", "Dailies2"}));
    EXPECT_EQ(settings.selectedLayoutIndex(LayoutMenu::app), 1);
    settings.setColumnState(ColumnCheckbox::scene, true);
    editor.columnCheckboxChanged(ColumnCheckbox::scene);
    EXPECT_TRUE(LayoutsFile(path).load()[0].sceneColumnCheckbox);

    // Renaming onto another layout's name makes it unique; OK without a change keeps the name
    // and writes again; an empty name only closes the sheet.
    editor.editLayout();
    editor.confirmLayoutName("Dailies1");
    EXPECT_EQ(editor.layouts()[0].name, "Dailies3");
    fs::remove(path);
    editor.editLayout();
    editor.confirmLayoutName("Dailies3");
    EXPECT_EQ(savedNames(), (Names{"Dailies3", "Dailies1", "Dailies2"}));
    fs::remove(path);
    editor.editLayout();
    editor.confirmLayoutName("");
    EXPECT_FALSE(fs::exists(path));

    // Remove the chosen layout: gone from both menus and the file; the one above is applied.
    settings.selectLayoutIndex(LayoutMenu::settings, 2);
    editor.chooseLayoutInSettings();
    editor.removeLayout();
    EXPECT_EQ(savedNames(), (Names{"Dailies3", "Dailies2"}));
    EXPECT_EQ(settings.layoutMenuItems(LayoutMenu::app), (Names{"Dailies3", "Dailies2"}));
    EXPECT_EQ(settings.selectedLayoutIndex(LayoutMenu::settings), 1);
    EXPECT_EQ(settings.selectedLayoutIndex(LayoutMenu::app), 1);
    EXPECT_TRUE(settings.columnState(ColumnCheckbox::scene)); // Dailies3 applied

    // Loading again lists the same layouts in both menus.
    SettingsState other;
    LayoutEditor second(other, [](const std::string&) {});
    second.loadLayouts(path);
    EXPECT_EQ(other.layoutMenuItems(LayoutMenu::settings), (Names{"Dailies3", "Dailies2"}));
}

TEST_F(LayoutEditorTest, BuiltInLayoutIsFixedAndSavedLayoutsRecordChanges) {
    startEditor();
    add("Mine");
    settings.setThumbnailWidthText("-150");
    editor.thumbnailWidthChanged();
    EXPECT_EQ(editor.layouts()[0].thumbnailWidthPopup, "150");
    settings.setThumbnailWidthText("wide");
    editor.thumbnailWidthChanged();
    EXPECT_EQ(editor.layouts()[0].thumbnailWidthPopup, "40");
    settings.setThumbnailWidthText("120");
    editor.thumbnailWidthChanged();
    settings.setColumnState(ColumnCheckbox::id3Metadata, true);
    editor.columnCheckboxChanged(ColumnCheckbox::id3Metadata);

    // The main window's menu chooses the built-in layout: every column but four, width 40,
    // everything locked, and a stray change records nothing.
    settings.selectLayoutIndex(LayoutMenu::app, 0);
    editor.chooseLayoutInApp();
    EXPECT_EQ(settings.selectedLayoutIndex(LayoutMenu::settings), 0);
    for (const ReportColumn& column : reportColumns) {
        bool off = column.checkbox == ColumnCheckbox::rowNumbers ||
                   column.checkbox == ColumnCheckbox::thumbnails ||
                   column.checkbox == ColumnCheckbox::keepThumbnails ||
                   column.checkbox == ColumnCheckbox::id3Metadata;
        EXPECT_EQ(settings.columnState(column.checkbox), !off) << column.title;
        EXPECT_FALSE(settings.columnEnabled(column.checkbox));
    }
    EXPECT_EQ(settings.thumbnailWidthText(), "40");
    EXPECT_FALSE(settings.thumbnailWidthEnabled());
    EXPECT_FALSE(settings.editAndRemoveEnabled());
    EXPECT_EQ(editor.selectedLayoutName(LayoutMenu::app), "Default");
    std::string before = log.back();
    editor.columnCheckboxChanged(ColumnCheckbox::track);
    editor.removeLayout();
    EXPECT_EQ(editor.layouts().size(), 1u);

    // Choosing the saved layout again by name shows what was recorded.
    EXPECT_TRUE(editor.chooseLayoutNamed("Mine"));
    EXPECT_TRUE(settings.columnState(ColumnCheckbox::id3Metadata));
    EXPECT_FALSE(settings.columnState(ColumnCheckbox::track));
    EXPECT_EQ(settings.thumbnailWidthText(), "120");
    EXPECT_TRUE(settings.columnEnabled(ColumnCheckbox::keepThumbnails));
    EXPECT_EQ(editor.selectedLayoutName(LayoutMenu::app), "Mine");
    EXPECT_FALSE(editor.chooseLayoutNamed("Nope"));

    // A rename while the built-in layout is chosen changes nothing.
    editor.editLayout();
    settings.selectLayoutIndex(LayoutMenu::settings, 0);
    editor.confirmLayoutName("Other");
    EXPECT_EQ(editor.layouts()[0].name, "Mine");
}

TEST_F(LayoutEditorTest, WithoutAnApplicationFolderNothingIsWritten) {
    editor.loadLayouts(std::nullopt);
    add("Mine");
    EXPECT_EQ(editor.layouts().size(), 1u);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(fs::exists(path));
}
