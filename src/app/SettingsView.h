#pragma once

#include "app/ReportColumns.h"

#include <string>
#include <vector>

namespace marrowvale {

/// The two layout menus: the main window's and the settings window's. Item 0 of each is the
/// built-in layout; item k + 1 is saved layout k.
enum class LayoutMenu { app, settings };

/// The caption of the built-in layout's menu item.
inline constexpr std::string_view builtInLayoutName = "Default";

/// The settings-window controls the layout editor and the report options work with, plus the
/// main window's layout menu. The Qt window implements it; `SettingsState` keeps the same
/// controls in memory for the command line and the tests.
class SettingsView {
public:
    virtual ~SettingsView() = default;

    /// Whether a column checkbox is on.
    virtual bool columnState(ColumnCheckbox checkbox) const = 0;
    /// Switches a column checkbox on or off.
    virtual void setColumnState(ColumnCheckbox checkbox, bool on) = 0;
    /// Enables or disables a column checkbox.
    virtual void setColumnEnabled(ColumnCheckbox checkbox, bool enabled) = 0;

    /// The text of the thumbnail-width combo box.
    virtual std::string thumbnailWidthText() const = 0;
    /// Sets the thumbnail-width text (selecting the list item with that value when there is one).
    virtual void setThumbnailWidthText(const std::string& text) = 0;
    /// Enables or disables the thumbnail-width combo box.
    virtual void setThumbnailWidthEnabled(bool enabled) = 0;

    /// Whether a time-display checkbox is on.
    virtual bool timeDisplayState(TimeGroup group, TimeDisplay display) const = 0;
    /// Switches a time-display checkbox on or off.
    virtual void setTimeDisplayState(TimeGroup group, TimeDisplay display, bool on) = 0;
    /// The text of a sequence time display's adjustment field.
    virtual std::string adjustmentText(TimeDisplay display) const = 0;
    /// The selected row of the colour choice: 0 for coloured text.
    virtual int colorChoiceRow() const = 0;

    /// Replaces a layout menu's items after the built-in one with the saved layouts' names.
    virtual void setLayoutMenuItems(LayoutMenu menu, const std::vector<std::string>& names) = 0;
    /// The selected item of a layout menu; -1 when none.
    virtual int selectedLayoutIndex(LayoutMenu menu) const = 0;
    /// Selects an item of a layout menu.
    virtual void selectLayoutIndex(LayoutMenu menu, int index) = 0;
    /// Enables or disables the edit and remove buttons of the settings window.
    virtual void setEditAndRemoveEnabled(bool enabled) = 0;

    /// Shows the layout-name sheet with `name` in its field; its OK leads to
    /// `LayoutEditor::confirmLayoutName`.
    virtual void showLayoutNameSheet(const std::string& name) = 0;
    /// Brings the settings window to the front with its layouts tab.
    virtual void showSettingsWindow() = 0;
};

} // namespace marrowvale
