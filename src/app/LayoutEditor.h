#pragma once

#include "app/LayoutsFile.h"
#include "app/LayoutsItem.h"
#include "app/SettingsView.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marrowvale {

/// Receives the shell's plain diagnostic lines.
using DiagnosticSink = std::function<void(const std::string& line)>;

/// The actions behind the two layout menus and the layouts tab: choosing, adding, renaming and
/// removing layouts, and recording each column or width change in the chosen layout, which is
/// written to "Layouts.json" at once. The saved layouts are listed after the built-in layout,
/// in list order, in both menus.
class LayoutEditor {
public:
    /// An editor over `settings`, writing its diagnostics to `log`.
    LayoutEditor(SettingsView& settings, DiagnosticSink log);

    /// Start-up: reads the layouts file at `layoutsPath` (none: there is no application folder,
    /// so nothing is read or ever written) and lists the layouts in both menus. Applies no
    /// layout. Gives what the user should be told: why a layouts file that exists cannot be
    /// used, or which names read from it were cut.
    std::optional<std::string> loadLayouts(std::optional<std::filesystem::path> layoutsPath);

    /// The saved layouts in menu order.
    const std::vector<LayoutsItem>& layouts() const { return layouts_; }

    /// The title selected in a layout menu: the built-in layout's name, a saved layout's name,
    /// or empty when nothing is selected.
    std::string selectedLayoutName(LayoutMenu menu) const;

    /// The main window's menu changed: the settings menu follows and the layout is applied.
    void chooseLayoutInApp();
    /// The settings window's menu changed: the layout is applied.
    void chooseLayoutInSettings();
    /// Chooses the first saved layout called `name` (or the built-in layout by its name) in both
    /// menus and applies it; false when there is none.
    bool chooseLayoutNamed(std::string_view name);

    /// Sets the column checkboxes, the width and the enabled states from the chosen layout.
    void applyChosenLayout();

    /// Opens the name sheet empty, to add a layout.
    void addLayout();
    /// Opens the name sheet with the chosen layout's name, to rename it.
    void editLayout();
    /// The name sheet's OK: adds or renames with `newName` (made unique); an empty name, or a
    /// rename while no saved layout is chosen, changes nothing.
    void confirmLayoutName(const std::string& newName);
    /// Removes the chosen saved layout (and any other of the same name) and applies the layout
    /// the settings menu shows next.
    void removeLayout();

    /// A column checkbox changed: its state is recorded in the chosen saved layout.
    void columnCheckboxChanged(ColumnCheckbox checkbox);
    /// The thumbnail width changed: its magnitude is recorded in the chosen saved layout
    /// ("40" when the text holds no non-zero number).
    void thumbnailWidthChanged();

    /// Writes the layouts file (nothing when there is no application folder).
    void saveLayouts();

    /// A name not ending in ASCII digits gets "1" appended; trailing digits are incremented,
    /// keeping at least their width ("Take 09" -> "Take 10", "Cut 099" -> "Cut 100").
    static std::string uniqueLayoutName(std::string_view name);

private:
    enum class NameSheetPurpose { none, add, rename };

    void refreshMenus();
    bool nameTaken(std::string_view name) const;
    void setAllColumns(bool on);
    void enableAllColumns(bool enabled);
    LayoutsItem* chosenLayout();

    SettingsView& settings_;
    DiagnosticSink log_;
    std::optional<LayoutsFile> file_;
    std::vector<LayoutsItem> layouts_;
    NameSheetPurpose sheetPurpose_ = NameSheetPurpose::none;
};

} // namespace marrowvale
