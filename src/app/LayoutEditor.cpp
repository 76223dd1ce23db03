#include "app/LayoutEditor.h"

#include "app/TextUtilities.h"

#include <algorithm>
#include <fmt/format.h>
#include <utility>

namespace marrowvale {

LayoutEditor::LayoutEditor(SettingsView& settings, DiagnosticSink log)
    : settings_(settings), log_(std::move(log)) {}

std::optional<std::string>
LayoutEditor::loadLayouts(std::optional<std::filesystem::path> layoutsPath) {
    std::optional<std::string> problem;
    if (layoutsPath) {
        file_.emplace(*layoutsPath);
        try {
            layouts_ = file_->load();
            std::string text;
            for (const LayoutsItem& layout : layouts_) {
                text += (text.empty() ? "" : ", ") + layout.debugDescription();
            }
            log_("Loaded layoutsArray: [" + text + "]");
            for (const std::string& warning : file_->warnings()) {
                problem = problem ? *problem + " " + warning : warning;
            }
        } catch (const LayoutsFileError& error) {
            log_(error.what());
            if (!error.fileMissing()) {
                problem = std::string(error.what()) + " No saved layouts are available.";
            }
        }
    }
    refreshMenus();
    return problem;
}

std::string LayoutEditor::selectedLayoutName(LayoutMenu menu) const {
    int index = settings_.selectedLayoutIndex(menu);
    if (index == 0) {
        return std::string(builtInLayoutName);
    }
    if (index > 0 && static_cast<std::size_t>(index) <= layouts_.size()) {
        return layouts_[static_cast<std::size_t>(index) - 1].name;
    }
    return {};
}

void LayoutEditor::chooseLayoutInApp() {
    settings_.selectLayoutIndex(LayoutMenu::settings,
                                settings_.selectedLayoutIndex(LayoutMenu::app));
    applyChosenLayout();
}

void LayoutEditor::chooseLayoutInSettings() {
    applyChosenLayout();
}

bool LayoutEditor::chooseLayoutNamed(std::string_view name) {
    auto found = std::find_if(layouts_.begin(), layouts_.end(),
                              [&](const LayoutsItem& layout) { return layout.name == name; });
    int index = 0;
    if (found != layouts_.end()) {
        index = static_cast<int>(found - layouts_.begin()) + 1;
    } else if (name != builtInLayoutName) {
        return false;
    }
    settings_.selectLayoutIndex(LayoutMenu::settings, index);
    applyChosenLayout();
    return true;
}

void LayoutEditor::applyChosenLayout() {
    int index = settings_.selectedLayoutIndex(LayoutMenu::settings);
    settings_.selectLayoutIndex(LayoutMenu::app, index);
    settings_.setThumbnailWidthText("40");

    if (index <= 0) {
        // The built-in layout is fixed: show it and lock its controls.
        settings_.selectLayoutIndex(LayoutMenu::app, 0);
        enableAllColumns(false);
        setAllColumns(true);
        for (ColumnCheckbox off : {ColumnCheckbox::rowNumbers, ColumnCheckbox::thumbnails,
                                   ColumnCheckbox::keepThumbnails, ColumnCheckbox::id3Metadata}) {
            settings_.setColumnState(off, false);
        }
        settings_.setThumbnailWidthEnabled(false);
        settings_.setColumnEnabled(ColumnCheckbox::keepThumbnails, false);
        settings_.setEditAndRemoveEnabled(false);
        return;
    }

    enableAllColumns(true);
    settings_.setThumbnailWidthEnabled(true);
    settings_.setEditAndRemoveEnabled(true);
    const LayoutsItem* layout = chosenLayout();
    if (!layout) {
        return;
    }
    for (const ReportColumn& column : reportColumns) {
        settings_.setColumnState(column.checkbox, layout->flag(column.checkbox));
        if (column.checkbox == ColumnCheckbox::thumbnails) {
            settings_.setThumbnailWidthText(layout->thumbnailWidthPopup);
        }
    }
}

void LayoutEditor::addLayout() {
    sheetPurpose_ = NameSheetPurpose::add;
    settings_.showLayoutNameSheet("");
}

void LayoutEditor::editLayout() {
    sheetPurpose_ = NameSheetPurpose::rename;
    settings_.showLayoutNameSheet(selectedLayoutName(LayoutMenu::settings));
}

void LayoutEditor::confirmLayoutName(const std::string& enteredName) {
    NameSheetPurpose purpose = std::exchange(sheetPurpose_, NameSheetPurpose::none);
    if (purpose == NameSheetPurpose::none || enteredName.empty()) {
        return;
    }

    if (purpose == NameSheetPurpose::add) {
        std::string newName = enteredName;
        while (nameTaken(newName)) {
            newName = uniqueLayoutName(newName);
        }
        int appSelection = settings_.selectedLayoutIndex(LayoutMenu::app);
        layouts_.push_back(LayoutsItem::makeNew(newName));
        refreshMenus();
        settings_.selectLayoutIndex(LayoutMenu::settings, static_cast<int>(layouts_.size()));
        settings_.selectLayoutIndex(LayoutMenu::app, appSelection);
        enableAllColumns(true);
        setAllColumns(false);
        // The new layout's width, ready to change even when the built-in layout locked it.
        settings_.setThumbnailWidthText("40");
        settings_.setThumbnailWidthEnabled(true);
        settings_.setEditAndRemoveEnabled(true);
        saveLayouts();
        return;
    }

    // Renaming needs a saved layout; the main window may have switched to the built-in one
    // while the sheet was open.
    LayoutsItem* layout = chosenLayout();
    if (!layout) {
        return;
    }
    if (enteredName != layout->name) {
        std::string newName = enteredName;
        while (nameTaken(newName)) {
            newName = uniqueLayoutName(newName);
        }
        layout->name = newName;
        int index = settings_.selectedLayoutIndex(LayoutMenu::settings);
        refreshMenus();
        settings_.selectLayoutIndex(LayoutMenu::settings, index);
        settings_.selectLayoutIndex(LayoutMenu::app, index);
    }
    saveLayouts();
}

void LayoutEditor::removeLayout() {
    const LayoutsItem* layout = chosenLayout();
    if (!layout) {
        return;
    }
    int index = settings_.selectedLayoutIndex(LayoutMenu::settings);
    std::string name = layout->name;
    std::erase_if(layouts_, [&](const LayoutsItem& item) { return item.name == name; });
    refreshMenus();
    // The item above the removed one takes the selection (the built-in layout at the top).
    int next = std::min(index - 1, static_cast<int>(layouts_.size()));
    settings_.selectLayoutIndex(LayoutMenu::settings, std::max(next, 0));
    applyChosenLayout();
    saveLayouts();
}

void LayoutEditor::columnCheckboxChanged(ColumnCheckbox checkbox) {
    LayoutsItem* layout = chosenLayout();
    if (!layout) {
        return;
    }
    layout->flag(checkbox) = settings_.columnState(checkbox);
    saveLayouts();
}

void LayoutEditor::thumbnailWidthChanged() {
    LayoutsItem* layout = chosenLayout();
    if (!layout) {
        return;
    }
    // The magnitude as digits, so that "-150" keeps 150 and no value can overflow.
    std::string text = settings_.thumbnailWidthText();
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    while (i < text.size() && text[i] == '0') {
        ++i;
    }
    std::size_t end = i;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
        ++end;
    }
    layout->thumbnailWidthPopup = end > i ? text.substr(i, end - i) : "40";
    saveLayouts();
}

void LayoutEditor::saveLayouts() {
    if (!file_) {
        return;
    }
    try {
        file_->save(layouts_);
        log_("Saved to " + file_->path().string());
    } catch (const LayoutsFileError& error) {
        log_(std::string("Error saving file: ") + error.what());
    }
}

std::string LayoutEditor::uniqueLayoutName(std::string_view name) {
    std::size_t digitsStart = name.size();
    while (digitsStart > 0 && name[digitsStart - 1] >= '0' && name[digitsStart - 1] <= '9') {
        --digitsStart;
    }
    if (digitsStart == name.size()) {
        return std::string(name) + "1";
    }
    // Decimal increment on the text itself: any number of digits, the width kept or grown.
    std::string digits(name.substr(digitsStart));
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') {
        digits[--i] = '0';
    }
    if (i == 0) {
        digits.insert(digits.begin(), '1');
    } else {
        ++digits[i - 1];
    }
    return std::string(name.substr(0, digitsStart)) + digits;
}

void LayoutEditor::refreshMenus() {
    std::vector<std::string> names;
    names.reserve(layouts_.size());
    for (const LayoutsItem& layout : layouts_) {
        names.push_back(layout.name);
    }
    settings_.setLayoutMenuItems(LayoutMenu::app, names);
    settings_.setLayoutMenuItems(LayoutMenu::settings, names);
}

bool LayoutEditor::nameTaken(std::string_view name) const {
    return std::any_of(layouts_.begin(), layouts_.end(),
                       [&](const LayoutsItem& layout) { return layout.name == name; });
}

void LayoutEditor::setAllColumns(bool on) {
    for (const ReportColumn& column : reportColumns) {
        settings_.setColumnState(column.checkbox, on);
    }
}

void LayoutEditor::enableAllColumns(bool enabled) {
    for (const ReportColumn& column : reportColumns) {
        settings_.setColumnEnabled(column.checkbox, enabled);
    }
}

LayoutsItem* LayoutEditor::chosenLayout() {
    int index = settings_.selectedLayoutIndex(LayoutMenu::settings);
    if (index <= 0 || static_cast<std::size_t>(index) > layouts_.size()) {
        return nullptr;
    }
    return &layouts_[static_cast<std::size_t>(index) - 1];
}

} // namespace marrowvale
