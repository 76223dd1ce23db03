#include "app/SettingsState.h"

namespace marrowvale {

namespace {

std::size_t timeIndex(TimeGroup group, TimeDisplay display) {
    return (group == TimeGroup::sequence ? 0 : 5) + static_cast<std::size_t>(display);
}

} // namespace

SettingsState::SettingsState() {
    columns_.fill(true);
    for (ColumnCheckbox off : {ColumnCheckbox::rowNumbers, ColumnCheckbox::thumbnails,
                               ColumnCheckbox::keepThumbnails, ColumnCheckbox::id3Metadata}) {
        columns_[static_cast<std::size_t>(off)] = false;
    }
    timeDisplays_[timeIndex(TimeGroup::sequence, TimeDisplay::timecode)] = true;
    timeDisplays_[timeIndex(TimeGroup::source, TimeDisplay::timecode)] = true;
}

bool SettingsState::columnState(ColumnCheckbox checkbox) const {
    return columns_[static_cast<std::size_t>(checkbox)];
}

void SettingsState::setColumnState(ColumnCheckbox checkbox, bool on) {
    columns_[static_cast<std::size_t>(checkbox)] = on;
}

void SettingsState::setColumnEnabled(ColumnCheckbox checkbox, bool enabled) {
    columnsEnabled_[static_cast<std::size_t>(checkbox)] = enabled;
}

bool SettingsState::columnEnabled(ColumnCheckbox checkbox) const {
    return columnsEnabled_[static_cast<std::size_t>(checkbox)];
}

bool SettingsState::timeDisplayState(TimeGroup group, TimeDisplay display) const {
    return timeDisplays_[timeIndex(group, display)];
}

void SettingsState::setTimeDisplayState(TimeGroup group, TimeDisplay display, bool on) {
    timeDisplays_[timeIndex(group, display)] = on;
}

std::string SettingsState::adjustmentText(TimeDisplay display) const {
    return adjustments_[static_cast<std::size_t>(display)];
}

void SettingsState::setAdjustmentText(TimeDisplay display, std::string text) {
    adjustments_[static_cast<std::size_t>(display)] = std::move(text);
}

void SettingsState::setLayoutMenuItems(LayoutMenu which, const std::vector<std::string>& names) {
    Menu& m = menu(which);
    m.names = names;
    if (m.selected > static_cast<int>(names.size())) {
        m.selected = static_cast<int>(names.size());
    }
}

int SettingsState::selectedLayoutIndex(LayoutMenu which) const {
    return menu(which).selected;
}

void SettingsState::selectLayoutIndex(LayoutMenu which, int index) {
    Menu& m = menu(which);
    if (index >= 0 && index <= static_cast<int>(m.names.size())) {
        m.selected = index;
    }
}

const std::vector<std::string>& SettingsState::layoutMenuItems(LayoutMenu which) const {
    return menu(which).names;
}

} // namespace marrowvale
