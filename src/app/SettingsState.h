#pragma once

#include "app/SettingsView.h"

#include <array>
#include <optional>

namespace marrowvale {

/// The settings controls kept in memory: the command line's settings window, and a plain
/// stand-in for the Qt window in tests. It starts like a fresh window: the built-in layout's
/// columns, width "40", timecode as the only time display, empty adjustments, coloured text.
class SettingsState : public SettingsView {
public:
    SettingsState();

    bool columnState(ColumnCheckbox checkbox) const override;
    void setColumnState(ColumnCheckbox checkbox, bool on) override;
    void setColumnEnabled(ColumnCheckbox checkbox, bool enabled) override;
    std::string thumbnailWidthText() const override { return thumbnailWidth_; }
    void setThumbnailWidthText(const std::string& text) override { thumbnailWidth_ = text; }
    void setThumbnailWidthEnabled(bool enabled) override { thumbnailWidthEnabled_ = enabled; }
    bool timeDisplayState(TimeGroup group, TimeDisplay display) const override;
    void setTimeDisplayState(TimeGroup group, TimeDisplay display, bool on) override;
    std::string adjustmentText(TimeDisplay display) const override;
    int colorChoiceRow() const override { return colorRow_; }
    void setLayoutMenuItems(LayoutMenu menu, const std::vector<std::string>& names) override;
    int selectedLayoutIndex(LayoutMenu menu) const override;
    void selectLayoutIndex(LayoutMenu menu, int index) override;
    void setEditAndRemoveEnabled(bool enabled) override { editAndRemoveEnabled_ = enabled; }
    void showLayoutNameSheet(const std::string& name) override { nameSheet_ = name; }
    void showSettingsWindow() override { settingsWindowShown_ = true; }

    /// Sets the text of a sequence time display's adjustment field.
    void setAdjustmentText(TimeDisplay display, std::string text);
    /// Selects a row of the colour choice.
    void setColorChoiceRow(int row) { colorRow_ = row; }
    /// Whether a column checkbox is enabled.
    bool columnEnabled(ColumnCheckbox checkbox) const;
    /// Whether the thumbnail-width combo box is enabled.
    bool thumbnailWidthEnabled() const { return thumbnailWidthEnabled_; }
    /// Whether the edit and remove buttons are enabled.
    bool editAndRemoveEnabled() const { return editAndRemoveEnabled_; }
    /// The saved layouts' names a layout menu lists after the built-in item.
    const std::vector<std::string>& layoutMenuItems(LayoutMenu menu) const;
    /// The text the name sheet was last shown with; none when it has not been shown.
    const std::optional<std::string>& nameSheet() const { return nameSheet_; }
    /// Whether the settings window has been brought to the front.
    bool settingsWindowShown() const { return settingsWindowShown_; }

private:
    struct Menu {
        std::vector<std::string> names;
        int selected = 0;
    };
    Menu& menu(LayoutMenu which) { return which == LayoutMenu::app ? appMenu_ : settingsMenu_; }
    const Menu& menu(LayoutMenu which) const {
        return which == LayoutMenu::app ? appMenu_ : settingsMenu_;
    }

    std::array<bool, reportColumns.size()> columns_{};
    std::array<bool, reportColumns.size()> columnsEnabled_{};
    std::string thumbnailWidth_ = "40";
    bool thumbnailWidthEnabled_ = false;
    std::array<bool, 10> timeDisplays_{};
    std::array<std::string, 5> adjustments_;
    int colorRow_ = 0;
    Menu appMenu_;
    Menu settingsMenu_;
    bool editAndRemoveEnabled_ = false;
    std::optional<std::string> nameSheet_;
    bool settingsWindowShown_ = false;
};

} // namespace marrowvale
