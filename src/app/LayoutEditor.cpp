#include "app/LayoutEditor.h"

#include "app/TextUtilities.h"

#include <algorithm>
#include <fmt/format.h>
#include <utility>

namespace marrowvale {

LayoutEditor::LayoutEditor(SettingsView& settings, DiagnosticSink log)
    : _settings(settings), _log(std::move(log)) {}

std::optional<std::string>
LayoutEditor::loadLayouts(std::optional<std::filesystem::path> layoutsPath) {
    std::optional<std::string> problem;
    if (layoutsPath) {
        _file.emplace(*layoutsPath);
        try {
            _layouts = _file->load();
            std::string text;
            for (const LayoutsItem& layout : _layouts)
                text += (text.empty() ? "" : ", ") + layout.debugDescription();
            _log("Loaded layoutsArray: [" + text + "]");
        } catch (const LayoutsFileError& error) {
            _log(error.what());
            if (!error.fileMissing()) {
                problem = error.what();
            }
        }
    }
    refreshMenus();
    return problem;
}

std::string LayoutEditor::selectedLayoutName(LayoutMenu menu) const {
    int index = _settings.selectedLayoutIndex(menu);
    if (index == 0)
        return std::string(builtInLayoutName);
    if (index > 0 && static_cast<std::size_t>(index) <= _layouts.size())
        return _layouts[static_cast<std::size_t>(index) - 1].name;
    return {};
}

void LayoutEditor::chooseLayoutInApp() {
    _settings.selectLayoutIndex(LayoutMenu::settings,
                                _settings.selectedLayoutIndex(LayoutMenu::app));
    applyChosenLayout();
}

void LayoutEditor::chooseLayoutInSettings() {
    applyChosenLayout();
}

bool LayoutEditor::chooseLayoutNamed(std::string_view name) {
    auto found = std::find_if(_layouts.begin(), _layouts.end(),
                              [&](const LayoutsItem& layout) { return layout.name == name; });
    int index = 0;
    if (found != _layouts.end())
        index = static_cast<int>(found - _layouts.begin()) + 1;
    else if (name != builtInLayoutName)
        return false;
    _settings.selectLayoutIndex(LayoutMenu::settings, index);
    applyChosenLayout();
    return true;
}

void LayoutEditor::applyChosenLayout() {
    int index = _settings.selectedLayoutIndex(LayoutMenu::settings);
    _settings.selectLayoutIndex(LayoutMenu::app, index);
    _settings.setThumbnailWidthText("40");

    if (index <= 0) {
        // The built-in layout is fixed: show it and lock its controls.
        _settings.selectLayoutIndex(LayoutMenu::app, 0);
        enableAllColumns(false);
        setAllColumns(true);
        for (ColumnCheckbox off : {ColumnCheckbox::rowNumbers, ColumnCheckbox::thumbnails,
                                   ColumnCheckbox::keepThumbnails, ColumnCheckbox::id3Metadata})
            _settings.setColumnState(off, false);
        _settings.setThumbnailWidthEnabled(false);
        _settings.setColumnEnabled(ColumnCheckbox::keepThumbnails, false);
        _settings.setEditAndRemoveEnabled(false);
        return;
    }

    enableAllColumns(true);
    _settings.setThumbnailWidthEnabled(true);
    _settings.setEditAndRemoveEnabled(true);
    const LayoutsItem* layout = chosenLayout();
    if (!layout)
        return;
    for (const ReportColumn& column : reportColumns) {
        _settings.setColumnState(column.checkbox, layout->flag(column.checkbox));
        if (column.checkbox == ColumnCheckbox::thumbnails)
            _settings.setThumbnailWidthText(layout->thumbnailWidthPopup);
    }
}

void LayoutEditor::addLayout() {
    _sheetPurpose = NameSheetPurpose::add;
    _settings.showLayoutNameSheet("");
}

void LayoutEditor::editLayout() {
    _sheetPurpose = NameSheetPurpose::rename;
    _settings.showLayoutNameSheet(selectedLayoutName(LayoutMenu::settings));
}

void LayoutEditor::confirmLayoutName(const std::string& enteredName) {
    NameSheetPurpose purpose = std::exchange(_sheetPurpose, NameSheetPurpose::none);
    if (purpose == NameSheetPurpose::none || enteredName.empty())
        return;

    if (purpose == NameSheetPurpose::add) {
        std::string newName = enteredName;
        while (nameTaken(newName))
            newName = uniqueLayoutName(newName);
        int appSelection = _settings.selectedLayoutIndex(LayoutMenu::app);
        _layouts.push_back(LayoutsItem::makeNew(newName));
        refreshMenus();
        _settings.selectLayoutIndex(LayoutMenu::settings, static_cast<int>(_layouts.size()));
        _settings.selectLayoutIndex(LayoutMenu::app, appSelection);
        enableAllColumns(true);
        setAllColumns(false);
        // The new layout's width, ready to change even when the built-in layout locked it.
        _settings.setThumbnailWidthText("40");
        _settings.setThumbnailWidthEnabled(true);
        _settings.setEditAndRemoveEnabled(true);
        saveLayouts();
        return;
    }

    // Renaming needs a saved layout; the main window may have switched to the built-in one
    // while the sheet was open.
    LayoutsItem* layout = chosenLayout();
    if (!layout)
        return;
    if (enteredName != layout->name) {
        std::string newName = enteredName;
        while (nameTaken(newName))
            newName = uniqueLayoutName(newName);
        layout->name = newName;
        int index = _settings.selectedLayoutIndex(LayoutMenu::settings);
        refreshMenus();
        _settings.selectLayoutIndex(LayoutMenu::settings, index);
        _settings.selectLayoutIndex(LayoutMenu::app, index);
    }
    saveLayouts();
}

void LayoutEditor::removeLayout() {
    const LayoutsItem* layout = chosenLayout();
    if (!layout)
        return;
    int index = _settings.selectedLayoutIndex(LayoutMenu::settings);
    std::string name = layout->name;
    std::erase_if(_layouts, [&](const LayoutsItem& item) { return item.name == name; });
    refreshMenus();
    // The item above the removed one takes the selection (the built-in layout at the top).
    int next = std::min(index - 1, static_cast<int>(_layouts.size()));
    _settings.selectLayoutIndex(LayoutMenu::settings, std::max(next, 0));
    applyChosenLayout();
    saveLayouts();
}

void LayoutEditor::columnCheckboxChanged(ColumnCheckbox checkbox) {
    LayoutsItem* layout = chosenLayout();
    if (!layout)
        return;
    layout->flag(checkbox) = _settings.columnState(checkbox);
    saveLayouts();
}

void LayoutEditor::thumbnailWidthChanged() {
    LayoutsItem* layout = chosenLayout();
    if (!layout)
        return;
    // The magnitude as digits, so that "-150" keeps 150 and no value can overflow.
    std::string text = _settings.thumbnailWidthText();
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    while (i < text.size() && text[i] == '0')
        ++i;
    std::size_t end = i;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    layout->thumbnailWidthPopup = end > i ? text.substr(i, end - i) : "40";
    saveLayouts();
}

void LayoutEditor::saveLayouts() {
    if (!_file)
        return;
    try {
        _file->save(_layouts);
        _log("Saved to " + _file->path().string());
    } catch (const LayoutsFileError& error) {
        _log(std::string("Error saving file: ") + error.what());
    }
}

std::string LayoutEditor::uniqueLayoutName(std::string_view name) {
    std::size_t digitsStart = name.size();
    while (digitsStart > 0 && name[digitsStart - 1] >= '0' && name[digitsStart - 1] <= '9')
        --digitsStart;
    if (digitsStart == name.size())
        return std::string(name) + "1";
    // Decimal increment on the text itself: any number of digits, the width kept or grown.
    std::string digits(name.substr(digitsStart));
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9')
        digits[--i] = '0';
    if (i == 0)
        digits.insert(digits.begin(), '1');
    else
        ++digits[i - 1];
    return std::string(name.substr(0, digitsStart)) + digits;
}

void LayoutEditor::refreshMenus() {
    std::vector<std::string> names;
    names.reserve(_layouts.size());
    for (const LayoutsItem& layout : _layouts)
        names.push_back(layout.name);
    _settings.setLayoutMenuItems(LayoutMenu::app, names);
    _settings.setLayoutMenuItems(LayoutMenu::settings, names);
}

bool LayoutEditor::nameTaken(std::string_view name) const {
    return std::any_of(_layouts.begin(), _layouts.end(),
                       [&](const LayoutsItem& layout) { return layout.name == name; });
}

void LayoutEditor::setAllColumns(bool on) {
    for (const ReportColumn& column : reportColumns)
        _settings.setColumnState(column.checkbox, on);
}

void LayoutEditor::enableAllColumns(bool enabled) {
    for (const ReportColumn& column : reportColumns)
        _settings.setColumnEnabled(column.checkbox, enabled);
}

LayoutsItem* LayoutEditor::chosenLayout() {
    int index = _settings.selectedLayoutIndex(LayoutMenu::settings);
    if (index <= 0 || static_cast<std::size_t>(index) > _layouts.size())
        return nullptr;
    return &_layouts[static_cast<std::size_t>(index) - 1];
}

} // namespace marrowvale
